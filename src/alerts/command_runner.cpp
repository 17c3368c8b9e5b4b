#include "alerts/command_runner.h"

#include <QProcess>
#include <QTimer>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace corvane {
namespace {

// Changes waiting beyond this many while a program hangs are dropped and counted: alerts
// are rare, so a queue this long means the program is not doing its job.
constexpr std::size_t kMaxWaiting = 50;

QString stateText(bool raised)
{
    return raised ? QStringLiteral("raised") : QStringLiteral("cleared");
}

}  // namespace

std::optional<QStringList> splitCommandLine(const QString& command)
{
    QStringList words;
    QString word;
    bool inWord = false;
    QChar quote;  // the open quote, or null outside quotes
    for (qsizetype n = 0; n < command.size(); ++n) {
        const QChar c = command[n];
        if (quote == u'\'') {
            if (c == u'\'')
                quote = QChar();
            else
                word += c;
        } else if (quote == u'"') {
            if (c == u'"')
                quote = QChar();
            else if (c == u'\\' && n + 1 < command.size() && QStringView(u"$`\"\\").contains(command[n + 1]))
                word += command[++n];
            else
                word += c;
        } else if (c.isSpace()) {
            if (inWord)
                words << std::exchange(word, QString());
            inWord = false;
        } else {
            inWord = true;
            if (c == u'\'' || c == u'"')
                quote = c;
            else if (c == u'\\' && n + 1 < command.size())
                word += command[++n];
            else
                word += c;
        }
    }
    if (!quote.isNull())
        return std::nullopt;
    if (inWord)
        words << word;
    return words;
}

QStringList commandArguments(const AlertChange& change)
{
    return {change.key, stateText(change.raised), change.message};
}

QProcessEnvironment commandEnvironment(const AlertChange& change, QProcessEnvironment base)
{
    base.insert(QStringLiteral("CORVANE_ALERT"), change.key);
    base.insert(QStringLiteral("CORVANE_STATE"), stateText(change.raised));
    base.insert(QStringLiteral("CORVANE_MESSAGE"), change.message);
    base.insert(QStringLiteral("CORVANE_VOLTS"), change.volts ? QString::number(*change.volts, 'f', 2) : QString());
    return base;
}

CommandRunner::CommandRunner(const QString& command, ErrorLogger logError, std::chrono::milliseconds killAfter)
    : m_logError(std::move(logError)), m_killAfter(killAfter)
{
    if (const std::optional<QStringList> words = splitCommandLine(command)) {
        m_fixedArguments = *words;
        if (!m_fixedArguments.isEmpty())
            m_program = m_fixedArguments.takeFirst();
    } else {
        m_unsplittable = true;
    }
}

CommandRunner::~CommandRunner()
{
    if (!m_running)
        return;
    m_running->disconnect(this);
    killGroup();
    m_running->waitForFinished(1000);
}

bool CommandRunner::busy() const
{
    return m_running || !m_waiting.empty();
}

void CommandRunner::alertChanged(const AlertChange& change)
{
    if (m_unsplittable || m_program.isEmpty()) {
        if (m_unsplittable)
            m_logError(QStringLiteral("Alert command for %1 %2 could not be started").arg(change.key, stateText(change.raised)),
                       QStringLiteral("a quote in the Command of alerts.cfg is not closed"));
        // Nothing to run, yet whoever waits for the end hears of it.
        if (!busy())
            QTimer::singleShot(0, this, &CommandRunner::startNext);
        return;
    }
    if (m_waiting.size() >= kMaxWaiting) {
        ++m_dropped;
        return;
    }
    static const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    m_waiting.push_back({m_fixedArguments + commandArguments(change), commandEnvironment(change, system)});
    // Started from the event loop: the caller is on the frame path and returns first.
    if (!m_running && m_waiting.size() == 1)
        QTimer::singleShot(0, this, &CommandRunner::startNext);
}

void CommandRunner::startNext()
{
    if (m_running)
        return;
    if (m_waiting.empty()) {
        if (m_dropped)
            m_logError(QStringLiteral("%1 alert commands dropped while an earlier one ran").arg(std::exchange(m_dropped, 0)),
                       m_program);
        emit idle();
        return;
    }
    const Run run = std::move(m_waiting.front());
    m_waiting.pop_front();
    const QString what = run.arguments.mid(m_fixedArguments.size(), 2).join(u' ');

    m_running = new QProcess(this);
    m_running->setProgram(m_program);
    m_running->setArguments(run.arguments);
    m_running->setProcessEnvironment(run.environment);
    // Output goes nowhere rather than into a pipe nobody reads, which would stall the program.
    m_running->setStandardInputFile(QProcess::nullDevice());
    m_running->setStandardOutputFile(QProcess::nullDevice());
    m_running->setStandardErrorFile(QProcess::nullDevice());
    // A group of its own, so that a kill reaches whatever it started (curl under a script).
    m_running->setChildProcessModifier([] { ::setsid(); });
    m_killed = false;

    connect(m_running, &QProcess::errorOccurred, this, [this, what](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            ended(QStringLiteral("Alert command for %1 could not be started").arg(what), m_running->errorString());
    });
    connect(m_running, &QProcess::finished, this, [this, what](int status, QProcess::ExitStatus exit) {
        if (m_killed)
            ended(QStringLiteral("Alert command for %1 killed after %2 s").arg(what).arg(m_killAfter.count() / 1000.0),
                  m_program);
        else if (exit == QProcess::CrashExit)
            ended(QStringLiteral("Alert command for %1 ended by a signal").arg(what), m_program);
        else if (status != 0)
            ended(QStringLiteral("Alert command for %1 ended with status %2").arg(what).arg(status), m_program);
        else
            ended(QString(), QString());
    });

    m_deadline = new QTimer(m_running);
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this] {
        if (!m_running)
            return;
        m_killed = true;
        killGroup();
    });
    m_deadline->start(m_killAfter);
    m_running->start();
}

void CommandRunner::ended(const QString& problem, const QString& reason)
{
    if (!problem.isEmpty())
        m_logError(problem, reason);
    m_deadline->stop();
    m_running->disconnect(this);
    m_running->deleteLater();
    m_running = nullptr;
    m_deadline = nullptr;
    // From the event loop: a failure to start can be reported from inside start() itself.
    QTimer::singleShot(0, this, &CommandRunner::startNext);
}

void CommandRunner::killGroup()
{
    const qint64 pid = m_running->processId();
    if (pid > 0 && ::kill(-static_cast<pid_t>(pid), SIGKILL) != 0)
        m_running->kill();  // no group of its own after all: at least the program itself
}

}  // namespace corvane
