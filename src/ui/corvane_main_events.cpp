// What the main window tells consumers outside it, and the entries they ask it to make.
#include "ui/corvane_main.h"

#include "logging/window_events.h"
#include "platform/clock.h"

#include <QLayout>
#include <algorithm>
#include <utility>

namespace corvane {

WindowSubscription CorvaneMain::subscribe(WindowEvents& listener)
{
    return WindowSubscription(*this, listener);
}

QLabel* CorvaneMain::addStatusLine(const QString& objectName)
{
    auto* line = new QLabel(messageArea);
    line->setObjectName(objectName);
    messageArea->layout()->addWidget(line);
    return line;
}

void CorvaneMain::addEventListener(WindowEvents* listener)
{
    m_listeners.push_back(listener);
}

void CorvaneMain::removeEventListener(WindowEvents* listener)
{
    std::erase(m_listeners, listener);
}

void CorvaneMain::LogOutsideEvent(const QString& message, const QString& reason)
{
    const QString frame = std::exchange(lastFrame, QString());
    const QString received = Label2->text();
    trapMessage = message;
    pendingErrorText = reason;
    LogTrappedError();
    pendingErrorText.clear();
    trapMessage.clear();
    lastFrame = frame;
    showInLabel2(received);
}

void CorvaneMain::announceFrame()
{
    if (m_listeners.empty())
        return;
    const AcceptedFrame frame{m_platform.clock->now(), volts, amps, watts, wattHours, rpm, windSpeed, WSUnits};
    for (WindowEvents* listener : m_listeners)
        listener->frameAccepted(frame);
}

void CorvaneMain::announceRecord(const QDateTime& time, const IntervalValues& means)
{
    const WrittenRecord record{time.date(), time.time(), means, loadFlag, wattHours};
    for (WindowEvents* listener : m_listeners)
        listener->recordWritten(record);
}

void CorvaneMain::announceErrorEntry(const QString& line)
{
    for (WindowEvents* listener : m_listeners)
        listener->errorLogged(line);
}

void CorvaneMain::announceRejection()
{
    for (WindowEvents* listener : m_listeners)
        listener->frameRejected();
}

void CorvaneMain::announceLogging(bool on)
{
    for (WindowEvents* listener : m_listeners)
        listener->loggingSwitched(on);
}

}  // namespace corvane
