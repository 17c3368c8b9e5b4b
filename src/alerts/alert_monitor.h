#pragma once

#include "alerts/alert_change.h"
#include "alerts/battery_rule.h"
#include "config/alerts_config.h"
#include "logging/window_events.h"

#include <functional>
#include <optional>
#include <vector>

namespace corvane {

class AlertSink;
class Clock;

inline const QString kBatteryLowAlert = QStringLiteral("battery_low");
inline const QString kBatteryHighAlert = QStringLiteral("battery_high");
inline const QString kNoDataAlert = QStringLiteral("no_data");

// Decides the alerts that alerts.cfg switches on from the window's accepted frames and the
// clock, and hands each raise and clear to every sink. Waits run on the clock's monotonic
// time; the wall clock only dates the changes. Rejected frames and logging switched on or
// off change nothing. Every alert starts cleared.
class AlertMonitor final : public WindowEvents {
public:
    // `portMeantOpen` says whether the board's port is open as the user left it.
    AlertMonitor(const AlertsConfig& config, const Clock& clock, std::function<bool()> portMeantOpen);

    // Sinks are told in the order they were added; each must outlive the monitor's use.
    void addSink(AlertSink& sink) { m_sinks.push_back(&sink); }

    void frameAccepted(const AcceptedFrame& frame) override;
    void recordWritten(const WrittenRecord&) override {}
    void errorLogged(const QString&) override {}

    // The clock's part: no_data is decided here. Called about once a second.
    void tick();

    // Every alert that is on with its state, the last change's time and message; an alert
    // that has not changed since the start is cleared since then with an empty message.
    const std::vector<AlertChange>& states() const { return m_states; }

private:
    struct Battery {
        BatteryRule rule;
        std::size_t state;
    };
    void announce(std::size_t state, bool raised, const QString& message, std::optional<double> volts);
    std::size_t addState(const QString& key);

    const Clock& m_clock;
    std::function<bool()> m_portMeantOpen;
    std::vector<Battery> m_batteries;
    std::optional<NoDataRule> m_noData;
    std::size_t m_noDataState = 0;
    std::vector<AlertChange> m_states;
    std::vector<AlertSink*> m_sinks;
};

}  // namespace corvane
