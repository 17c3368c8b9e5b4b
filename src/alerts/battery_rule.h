#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace corvane {

// battery_low or battery_high on accepted frames, timed on a monotonic clock in ms. The
// alert is raised when every frame for `delayMs` is past the alert level and cleared when
// every frame for `delayMs` is back past the clear level; the levels apart keep it from
// flapping. A frame that breaks a run starts its wait again, and so does a gap between
// frames longer than `gapMs`, since nothing is known of the time between them.
class BatteryRule {
public:
    enum class Side { Low, High };
    struct Levels {
        Side side = Side::Low;
        double alertVolts = 0;  // raised below it (Low) or above it (High)
        double clearVolts = 0;  // cleared at or above it (Low) or at or below it (High)
        qint64 delayMs = 0;
        std::optional<qint64> gapMs;  // none: no gap starts the wait again
    };

    explicit BatteryRule(const Levels& levels) : m_levels(levels) {}

    // True when this frame raises or clears the alert.
    bool frame(double volts, qint64 nowMs);
    bool raised() const { return m_raised; }
    // What the change at `volts` says, such as "battery at 11.62 V, below 11.80 V for 60 s".
    QString message(double volts) const;

private:
    bool pastAlertLevel(double volts) const;
    bool pastClearLevel(double volts) const;

    Levels m_levels;
    bool m_raised = false;
    std::optional<qint64> m_runStartMs;  // the first frame of the run towards a change
    std::optional<qint64> m_lastFrameMs;
};

// no_data: raised when no frame has been accepted for `waitMs` while the port is meant to
// be open, cleared at the next accepted frame. The wait starts at start-up and again each
// time the port is not meant to be open, so a port closed by a dialog raises nothing.
class NoDataRule {
public:
    NoDataRule(qint64 waitMs, qint64 startMs) : m_waitMs(waitMs), m_waitStartMs(startMs) {}

    // True when the frame clears the alert.
    bool frame(qint64 nowMs);
    // True when the time raises the alert.
    bool tick(qint64 nowMs, bool portMeantOpen);
    bool raised() const { return m_raised; }
    QString raiseMessage() const;
    // What the last clear says: how long no frame came.
    QString clearMessage() const;

private:
    qint64 m_waitMs;
    qint64 m_waitStartMs;
    bool m_raised = false;
    qint64 m_silentMs = 0;
};

}  // namespace corvane
