#pragma once

#include <QApplication>
#include <QTemporaryDir>

namespace corvane::fuzz {

// One offscreen application and one program folder for the whole fuzzing process.
inline QApplication& application()
{
    static int argc = 1;
    static char name[] = "corvane-fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

inline const QString& programFolder()
{
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

}  // namespace corvane::fuzz
