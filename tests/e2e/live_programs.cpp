#include "live_programs.h"

#include "support/config_text.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <csignal>
#include <unistd.h>

namespace corvane::e2e {

bool waitUntil(const std::function<bool()>& condition, milliseconds timeout)
{
    QDeadlineTimer deadline(timeout);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(50);
    }
    return true;
}

ProgramFolder::ProgramFolder()
{
    QFile::copy(QStringLiteral(CORVANE_EXECUTABLE), corvaneProgram());
    QFile::setPermissions(corvaneProgram(), QFile::permissions(corvaneProgram()) | QFile::ExeOwner);
}

QString ProgramFolder::path(const QString& name) const
{
    return name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
}

void ProgramFolder::writeConfiguration(int port) const
{
    test::ProgConfig prog;
    prog.Port = QString::number(port);
    prog.LogDelay = QStringLiteral("10");
    prog.LogOn = QStringLiteral("1");
    prog.DisplayRPM = QStringLiteral("1");
    prog.DisplayWS = QStringLiteral("1");
    prog.BR = QStringLiteral("9600");
    writeFile(QStringLiteral("prog.cfg"), prog.text());

    test::CalibrationConfig calibration;
    calibration.VoltDivider = QStringLiteral("30");
    calibration.VoltOffset = QStringLiteral("512");
    calibration.AmpDivider = QStringLiteral("10");
    calibration.RPMDivider = QStringLiteral("14");
    calibration.WSDivider = QStringLiteral("2");
    writeFile(QStringLiteral("settings.cfg"), calibration.text());
}

void ProgramFolder::writeFile(const QString& name, const QByteArray& bytes) const
{
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray ProgramFolder::readFile(const QString& name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ProgramFolder::dayFiles() const
{
    QByteArray all;
    const QDir logs(path(QStringLiteral("logs")));
    for (const QString& name : logs.entryList({QStringLiteral("P_*.txt")}, QDir::Files, QDir::Name))
        all += readFile(QStringLiteral("logs/") + name);
    return all;
}

QStringList crlfLines(const QByteArray& text)
{
    QStringList lines = QString::fromLatin1(text).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    else if (!lines.isEmpty())
        lines.last() += QStringLiteral("<no CR LF at the end>");
    return lines;
}

Program::~Program()
{
    if (running()) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

void Program::start(const QString& program, const QStringList& arguments, bool offscreen)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (offscreen)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    start(program, arguments, environment);
}

void Program::start(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(program, arguments);
    m_process.waitForStarted(10000);
}

double Program::cpuSeconds() const
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid()));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // The fields after the command name: state is the 3rd field, utime the 14th, stime the 15th.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    const double ticks = fields[11].toDouble() + fields[12].toDouble();
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

bool Program::terminate(milliseconds timeout)
{
    if (!running())
        return false;
    ::kill(static_cast<pid_t>(pid()), SIGTERM);
    return m_process.waitForFinished(static_cast<int>(timeout.count()));
}

int Program::finish(milliseconds timeout)
{
    if (running() && !m_process.waitForFinished(static_cast<int>(timeout.count())))
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QString Program::output()
{
    m_output += QString::fromLocal8Bit(m_process.readAll());
    return m_output;
}

}  // namespace corvane::e2e
