#include "config/alerts_config.h"

#include "config/config_keys.h"
#include "config/key_policies.h"
#include "text/number_format.h"
#include "text/numeric_text.h"

namespace corvane {
namespace {

const QString kTitle = QStringLiteral("Alert Settings");
const QString kLowAlert = QStringLiteral("battery_low");
const QString kHighAlert = QStringLiteral("battery_high");
const QString kNoDataAlert = QStringLiteral("no_data");

QString numberText(double value) { return generalNumberText(value); }

QString tagLine(const QString& key, const QString& value)
{
    return u'<' + key + u'>' + value + QStringLiteral("</") + key + QStringLiteral(">\r\n");
}

QString problem(const QString& what, const QString& alertsOff)
{
    return QStringLiteral("alerts.cfg: %1; %2 off").arg(what, alertsOff);
}

// Which alerts a key's number belongs to, for the problem text and for switching them off.
struct NumberKey {
    QString key;
    QString alerts;
};

// Reads one number key. An empty value switches the alert off when `emptyIsOff`, else
// keeps the default; a value that is not a number is a problem and switches it off.
class NumberReader {
public:
    NumberReader(const QString& text, QStringList& problems, QStringList& alertsOff)
        : m_text(text), m_problems(problems), m_alertsOff(alertsOff)
    {
    }

    void read(const NumberKey& key, std::optional<double>& value, bool emptyIsOff)
    {
        const std::optional<QString> given = presentTagValue(m_text, key.key);
        if (!given)
            return;
        if (given->trimmed().isEmpty()) {
            if (emptyIsOff)
                value.reset();
            return;
        }
        if (const std::optional<double> number = numericValue(*given)) {
            value = *number;
            return;
        }
        m_problems << problem(QStringLiteral("%1 \"%2\" is not a number").arg(key.key, given->trimmed()),
                              key.alerts + (key.alerts.contains(u' ') ? QStringLiteral(" are") : QStringLiteral(" is")));
        m_alertsOff << key.alerts;
    }

    void read(const NumberKey& key, double& value)
    {
        std::optional<double> held = value;
        read(key, held, false);
        value = *held;
    }

private:
    const QString& m_text;
    QStringList& m_problems;
    QStringList& m_alertsOff;
};

const NumberKey kLowKey{QStringLiteral("Low"), kLowAlert};
const NumberKey kLowClearKey{QStringLiteral("LowClear"), kLowAlert};
const NumberKey kHighKey{QStringLiteral("High"), kHighAlert};
const NumberKey kHighClearKey{QStringLiteral("HighClear"), kHighAlert};
const NumberKey kDelayKey{QStringLiteral("Delay"), kLowAlert + QStringLiteral(" and ") + kHighAlert};
const NumberKey kNoDataKey{QStringLiteral("NoData"), kNoDataAlert};

// The contradictions, each with the alerts it switches off.
void checkContradictions(const AlertsConfig& config, QStringList& problems, QStringList& alertsOff)
{
    const auto notPositive = [&](const NumberKey& key, double value) {
        if (value > 0)
            return;
        const QString verb = key.alerts.contains(u' ') ? QStringLiteral(" are") : QStringLiteral(" is");
        problems << problem(QStringLiteral("%1 %2 is not positive").arg(key.key, numberText(value)), key.alerts + verb);
        alertsOff << key.alerts;
    };
    if (config.low) {
        notPositive(kLowKey, *config.low);
        notPositive(kLowClearKey, config.lowClear);
        if (config.lowClear < *config.low) {
            problems << problem(QStringLiteral("LowClear %1 is below Low %2")
                                    .arg(numberText(config.lowClear), numberText(*config.low)),
                                kLowAlert + QStringLiteral(" is"));
            alertsOff << kLowAlert;
        }
    }
    if (config.high) {
        notPositive(kHighKey, *config.high);
        notPositive(kHighClearKey, config.highClear);
        if (config.highClear > *config.high) {
            problems << problem(QStringLiteral("HighClear %1 is above High %2")
                                    .arg(numberText(config.highClear), numberText(*config.high)),
                                kHighAlert + QStringLiteral(" is"));
            alertsOff << kHighAlert;
        }
    }
    if (config.low || config.high)
        notPositive(kDelayKey, config.delaySeconds);
    if (config.noDataSeconds)
        notPositive(kNoDataKey, *config.noDataSeconds);
}

AlertsConfig withAlertsOff(AlertsConfig config, const QStringList& alertsOff)
{
    const QString off = alertsOff.join(u' ');
    if (off.contains(kLowAlert))
        config.low.reset();
    if (off.contains(kHighAlert))
        config.high.reset();
    if (off.contains(kNoDataAlert))
        config.noDataSeconds.reset();
    return config;
}

}  // namespace

int bankVolts(const QString& progConfigText)
{
    const std::optional<QString> given = presentTagValue(progConfigText, prog_key::kSystemVolts);
    const std::optional<double> volts = given ? numericValue(*given) : std::nullopt;
    if (volts && (*volts == 12 || *volts == 24 || *volts == 48))
        return static_cast<int>(*volts);
    return 24;
}

AlertsConfig defaultAlertsConfig(int systemVolts)
{
    const double scale = systemVolts / 12.0;
    AlertsConfig config;
    config.low = *config.low * scale;
    config.lowClear *= scale;
    config.high = *config.high * scale;
    config.highClear *= scale;
    return config;
}

AlertsConfigReading readAlertsConfig(const QString& text, int systemVolts)
{
    AlertsConfigReading reading;
    AlertsConfig& config = reading.written;
    config = defaultAlertsConfig(systemVolts);
    QStringList alertsOff;
    if (const std::optional<QString> enabled = presentTagValue(text, QStringLiteral("Enabled")))
        config.enabled = enabled->trimmed() == QStringLiteral("1");
    NumberReader numbers(text, reading.problems, alertsOff);
    numbers.read(kLowKey, config.low, true);
    numbers.read(kLowClearKey, config.lowClear);
    numbers.read(kHighKey, config.high, true);
    numbers.read(kHighClearKey, config.highClear);
    numbers.read(kDelayKey, config.delaySeconds);
    numbers.read(kNoDataKey, config.noDataSeconds, true);
    config.command = presentTagValue(text, QStringLiteral("Command")).value_or(QString()).trimmed();

    // A key that was not a number already switched its alert off; its default is not
    // checked again.
    checkContradictions(withAlertsOff(config, alertsOff), reading.problems, alertsOff);
    reading.config = withAlertsOff(config, alertsOff);
    return reading;
}

QString alertsConfigText(const AlertsConfig& config)
{
    const auto optionalText = [](const std::optional<double>& value) {
        return value ? numberText(*value) : QString();
    };
    return kTitle + QStringLiteral("\r\n\r\n")
           + tagLine(QStringLiteral("Enabled"), config.enabled ? QStringLiteral("1") : QStringLiteral("0"))
           + tagLine(kLowKey.key, optionalText(config.low)) + tagLine(kLowClearKey.key, numberText(config.lowClear))
           + tagLine(kHighKey.key, optionalText(config.high))
           + tagLine(kHighClearKey.key, numberText(config.highClear))
           + tagLine(kDelayKey.key, numberText(config.delaySeconds))
           + tagLine(kNoDataKey.key, optionalText(config.noDataSeconds))
           + tagLine(QStringLiteral("Command"), config.command);
}

}  // namespace corvane
