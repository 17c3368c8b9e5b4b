#pragma once

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

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

// In memory where the system has such a folder: every log line is flushed to the disk
// before its handler returns, and a real disk would slow fuzzing a hundredfold.
inline const QString& programFolder()
{
    static QTemporaryDir dir = [] {
        const QFileInfo memory(QStringLiteral("/dev/shm"));
        if (memory.isDir() && memory.isWritable())
            return QTemporaryDir(QStringLiteral("/dev/shm/corvane-fuzz-XXXXXX"));
        return QTemporaryDir();
    }();
    static const QString path = [] {
        QDir().mkpath(dir.path() + QStringLiteral("/logs"));
        return dir.path();
    }();
    return path;
}

// A broken invariant is a finding: say which, and end the run as a crash would.
inline void require(bool holds, const char* invariant)
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", invariant);
        std::abort();
    }
}

}  // namespace corvane::fuzz
