#pragma once

#include <QDateTime>

namespace corvane {

// The current date and time, replaceable in tests.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    QDate date() const { return now().date(); }
    QTime time() const { return now().time(); }
    // Seconds since midnight, single precision as the day-start check takes it.
    float secondsSinceMidnight() const { return static_cast<float>(now().time().msecsSinceStartOfDay()) / 1000.0f; }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2010, 3, 7), QTime(14, 5))) : m_now(std::move(start)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }
    void advanceSeconds(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};

}  // namespace corvane
