#pragma once

#include "platform/clock.h"

namespace corvane {

// A clock that moves only when a test says so.
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
