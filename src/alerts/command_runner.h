#pragma once

#include "alerts/alert_sink.h"

#include <QObject>
#include <QProcessEnvironment>
#include <QStringList>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

class QProcess;
class QTimer;

namespace corvane {

// The owner's own program for every raised and cleared alert (ntfy, a chat bot, a
// buzzer). Runs beside the frame path: a change is queued and the call returns; the
// programs run one at a time, in order, with their output thrown away, so a program that
// hangs or talks a lot costs the frames nothing.
class CommandRunner final : public QObject, public AlertSink {
    Q_OBJECT
public:
    // Writes an entry through the window's error log: its message and the reason.
    using ErrorLogger = std::function<void(const QString& message, const QString& reason)>;

    // `command` is a program with optional fixed arguments, split as a shell splits them
    // (splitCommandLine) but never run through one. A program still running after
    // `killAfter` is killed together with everything it started.
    CommandRunner(const QString& command, ErrorLogger logError,
                  std::chrono::milliseconds killAfter = std::chrono::seconds(30));
    ~CommandRunner() override;

    void alertChanged(const AlertChange& change) override;

    // True while a program runs or waits its turn.
    bool busy() const;

signals:
    // The queue ran empty: every program asked for has ended.
    void idle();

private:
    struct Run {
        QStringList arguments;
        QProcessEnvironment environment;
    };

    void startNext();
    void ended(const QString& problem, const QString& reason);
    void killGroup();

    QString m_program;
    QStringList m_fixedArguments;
    ErrorLogger m_logError;
    std::chrono::milliseconds m_killAfter;
    std::deque<Run> m_waiting;
    QProcess* m_running = nullptr;
    QTimer* m_deadline = nullptr;
    bool m_killed = false;
    bool m_unsplittable = false;
    std::size_t m_dropped = 0;
};

// The words of a command line as a POSIX shell splits them: blanks between words, single
// quotes keep everything, double quotes keep all but a backslash before one of $ ` " and
// backslash, a backslash outside quotes keeps the next character. Nothing is expanded.
// Nothing at all when a quote is not closed.
std::optional<QStringList> splitCommandLine(const QString& command);
// The arguments appended to the owner's: `<key> raised|cleared <message>`.
QStringList commandArguments(const AlertChange& change);
// CORVANE_ALERT, CORVANE_STATE, CORVANE_MESSAGE and CORVANE_VOLTS (empty without a
// voltage) added to `base`.
QProcessEnvironment commandEnvironment(const AlertChange& change, QProcessEnvironment base);

}  // namespace corvane
