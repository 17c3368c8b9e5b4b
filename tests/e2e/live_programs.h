#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <ostream>

// Readable texts in the tests' failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace corvane::e2e {

using std::chrono::milliseconds;

// Polls `condition` until it holds or `timeout` passes; these tests run real programs.
bool waitUntil(const std::function<bool()>& condition, milliseconds timeout);

// A temporary program folder holding a copy of the real corvane executable, because
// Corvane keeps its files in the folder that holds the program.
class ProgramFolder {
public:
    ProgramFolder();

    QString path(const QString& name = QString()) const;
    // prog.cfg with the board on COM`port`, a 10 s interval started at once, and the
    // first-install calibration in settings.cfg.
    void writeConfiguration(int port) const;
    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;
    // Every day file in logs, oldest first, as one text.
    QByteArray dayFiles() const;
    QString corvaneProgram() const { return path(QStringLiteral("corvane")); }

private:
    QTemporaryDir m_dir;
};

// The lines of a CR LF text, without their line ends; a lone LF or a missing final CR LF
// shows up as a line of its own so that a comparison fails on it.
QStringList crlfLines(const QByteArray& text);

// A program run in the background for the length of one test.
class Program {
public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    void start(const QString& program, const QStringList& arguments, bool offscreen = false);
    void start(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment);
    bool running() const { return m_process.state() == QProcess::Running; }
    qint64 pid() const { return m_process.processId(); }
    // Seconds of processor time the program has used so far (user and system).
    double cpuSeconds() const;
    // SIGTERM, then the exit; false when it does not end within `timeout`.
    bool terminate(milliseconds timeout = milliseconds(10000));
    int finish(milliseconds timeout = milliseconds(10000));
    QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }
    QString output();

private:
    QProcess m_process;
    QString m_output;
};

}  // namespace corvane::e2e
