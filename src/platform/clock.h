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

class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2010, 3, 7), QTime(14, 5))) : m_now(std::move(start)) {}
    QDateTime now() const override { return m_now; }
    qint64 monotonicMs() const override { return m_monotonicMs; }
    // Sets the wall clock alone, as a time change does; the monotonic clock stays.
    void set(const QDateTime& now) { m_now = now; }
    // Time passes: both clocks move.
    void advanceSeconds(qint64 seconds) { advanceMs(seconds * 1000); }
    void advanceMs(qint64 ms)
    {
        m_now = m_now.addMSecs(ms);
        m_monotonicMs += ms;
    }

private:
    QDateTime m_now;
    qint64 m_monotonicMs = 0;
};

}  // namespace corvane
