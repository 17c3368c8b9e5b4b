// The main window's start-up without a user to ask, and its end when the process is
// asked to stop.
#include "ui/corvane_main.h"

#include "platform/interaction.h"
#include "text/failure.h"
#include "ui/corvane_main_texts.h"

namespace corvane {
namespace {
constexpr int kPortRetryMs = 2000;
}  // namespace

void CorvaneMain::StartUnattended()
{
    connect(&portRetry, &QTimer::timeout, this, &CorvaneMain::retryPort, Qt::UniqueConnection);
    portRetry.setInterval(kPortRetryMs);
    if (runStartUp())
        return;
    m_platform.interaction->message(this, portProblemMessage());
    startConfiguredLogging();
    portRetry.start();
}

void CorvaneMain::retryPort()
{
    try {
        openPort();
    } catch (const Failure& failure) {
        // The same failure again is no news: it was logged and reported when it began.
        if (failure.description() == m_portFailure)
            return;
        trapMessage = main_text::portNotAvailable;
        trapPortFailure(failure);
        m_platform.interaction->message(this, portProblemMessage());
        return;
    }
    portRetry.stop();
    m_portFailure.clear();
    showInLabel2(main_text::waitingForData);
    m_platform.interaction->message(this, QStringLiteral("COM%1 opened: receiving data").arg(Port));
}

void CorvaneMain::RequestStop()
{
    m_stopRequested = true;
    portRetry.stop();
    Timer1.stop();
    Timer3.stop();
    if (MSComm1->isOpen())
        MSComm1->close();
}

void CorvaneMain::trapPortFailure(const Failure& failure)
{
    m_portProblem = portProblemOf(failure);
    m_portFailure = failure.description();
    trap(failure);
}

// The known text first, then what went wrong and what to do about it.
QString CorvaneMain::portProblemMessage() const
{
    return main_text::portNumberProblem + QStringLiteral("\n\n") + portProblemAdvice(m_portProblem, m_portFailure);
}

}  // namespace corvane
