#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
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

// The keys of settings.cfg with the first-install values, which inputs may replace.
struct CalibrationValue {
    const char* key;
    const char* usual;
};
inline constexpr CalibrationValue kCalibration[] = {
    {"VoltDivider", "30"}, {"VoltOffset", "512"}, {"AmpDivider", "10"}, {"RPMDivider", "14"}, {"WSDivider", "2"}};

// One configuration line: <key>value</key> and CR LF.
inline QByteArray tagged(const char* key, const QByteArray& value)
{
    return '<' + QByteArray(key) + '>' + value + "</" + key + ">\r\n";
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
            "the configuration files can be written");
}

}  // namespace corvane::fuzz
