#include "alerts/alert_monitor.h"

#include "alerts/alert_sink.h"
#include "platform/clock.h"

#include <cmath>

namespace corvane {
namespace {

qint64 toMs(double seconds) { return std::llround(seconds * 1000.0); }

}  // namespace

AlertMonitor::AlertMonitor(const AlertsConfig& config, const Clock& clock, std::function<bool()> portMeantOpen)
    : m_clock(clock), m_portMeantOpen(std::move(portMeantOpen))
{
    if (!config.enabled)
        return;
    std::optional<qint64> gapMs;
    if (config.noDataSeconds)
        gapMs = toMs(*config.noDataSeconds);
    const qint64 delayMs = toMs(config.delaySeconds);
    if (config.low)
        m_batteries.push_back(
            {BatteryRule({BatteryRule::Side::Low, *config.low, config.lowClear, delayMs, gapMs}),
             addState(kBatteryLowAlert)});
    if (config.high)
        m_batteries.push_back(
            {BatteryRule({BatteryRule::Side::High, *config.high, config.highClear, delayMs, gapMs}),
             addState(kBatteryHighAlert)});
    if (gapMs) {
        m_noData.emplace(*gapMs, clock.monotonicMs());
        m_noDataState = addState(kNoDataAlert);
    }
}

std::size_t AlertMonitor::addState(const QString& key)
{
    AlertChange state;
    state.key = key;
    state.since = m_clock.now();
    m_states.push_back(state);
    return m_states.size() - 1;
}

void AlertMonitor::frameAccepted(const AcceptedFrame& frame)
{
    const qint64 nowMs = m_clock.monotonicMs();
    if (m_noData && m_noData->frame(nowMs))
        announce(m_noDataState, false, m_noData->clearMessage(), std::nullopt);
    for (Battery& battery : m_batteries) {
        if (battery.rule.frame(frame.volts, nowMs))
            announce(battery.state, battery.rule.raised(), battery.rule.message(frame.volts), frame.volts);
    }
}

void AlertMonitor::tick()
{
    if (m_noData && m_noData->tick(m_clock.monotonicMs(), m_portMeantOpen()))
        announce(m_noDataState, true, m_noData->raiseMessage(), std::nullopt);
}

void AlertMonitor::announce(std::size_t state, bool raised, const QString& message, std::optional<double> volts)
{
    AlertChange& change = m_states[state];
    change.raised = raised;
    change.since = m_clock.now();
    change.message = message;
    change.volts = volts;
    for (AlertSink* sink : m_sinks)
        sink->alertChanged(change);
}

}  // namespace corvane
