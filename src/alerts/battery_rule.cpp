#include "alerts/battery_rule.h"

#include "text/number_format.h"

namespace corvane {
namespace {

QString voltText(double volts) { return QString::number(volts, 'f', 2); }

QString secondsText(qint64 ms) { return generalNumberText(static_cast<double>(ms) / 1000.0); }

}  // namespace

bool BatteryRule::pastAlertLevel(double volts) const
{
    return m_levels.side == Side::Low ? volts < m_levels.alertVolts : volts > m_levels.alertVolts;
}

bool BatteryRule::pastClearLevel(double volts) const
{
    return m_levels.side == Side::Low ? volts >= m_levels.clearVolts : volts <= m_levels.clearVolts;
}

bool BatteryRule::frame(double volts, qint64 nowMs)
{
    if (m_lastFrameMs && m_levels.gapMs && nowMs - *m_lastFrameMs > *m_levels.gapMs)
        m_runStartMs.reset();
    m_lastFrameMs = nowMs;
    const bool towardsChange = m_raised ? pastClearLevel(volts) : pastAlertLevel(volts);
    if (!towardsChange) {
        m_runStartMs.reset();
        return false;
    }
    if (!m_runStartMs)
        m_runStartMs = nowMs;
    if (nowMs - *m_runStartMs < m_levels.delayMs)
        return false;
    m_raised = !m_raised;
    m_runStartMs.reset();
    return true;
}

QString BatteryRule::message(double volts) const
{
    const bool low = m_levels.side == Side::Low;
    QString rule;
    if (m_raised)
        rule = (low ? QStringLiteral("below ") : QStringLiteral("above ")) + voltText(m_levels.alertVolts);
    else
        rule = (low ? QStringLiteral("at or above ") : QStringLiteral("at or below ")) + voltText(m_levels.clearVolts);
    return QStringLiteral("battery at %1 V, %2 V for %3 s").arg(voltText(volts), rule, secondsText(m_levels.delayMs));
}

bool NoDataRule::frame(qint64 nowMs)
{
    m_silentMs = nowMs - m_waitStartMs;
    m_waitStartMs = nowMs;
    if (!m_raised)
        return false;
    m_raised = false;
    return true;
}

bool NoDataRule::tick(qint64 nowMs, bool portMeantOpen)
{
    if (!portMeantOpen) {
        m_waitStartMs = nowMs;
        return false;
    }
    if (m_raised || nowMs - m_waitStartMs < m_waitMs)
        return false;
    m_raised = true;
    return true;
}

QString NoDataRule::raiseMessage() const { return QStringLiteral("no frame for %1 s").arg(secondsText(m_waitMs)); }

QString NoDataRule::clearMessage() const
{
    return QStringLiteral("frame received after %1 s without one").arg(m_silentMs / 1000);
}

}  // namespace corvane
