#pragma once

#include <QDateTime>
#include <QElapsedTimer>

namespace corvane {

// The current date and time, replaceable in tests.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Milliseconds on a clock that only moves forward, whatever the wall clock does: waits
    // are measured on it, so that setting the time at boot neither shortens nor stretches one.
    virtual qint64 monotonicMs() const = 0;

    QDate date() const { return now().date(); }
    QTime time() const { return now().time(); }
    // Seconds since midnight, single precision as the day-start check takes it.
    float secondsSinceMidnight() const { return static_cast<float>(now().time().msecsSinceStartOfDay()) / 1000.0f; }
};

class SystemClock final : public Clock {
public:
    SystemClock() { m_started.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return m_started.elapsed(); }

private:
    QElapsedTimer m_started;
};

}  // namespace corvane
