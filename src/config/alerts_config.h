#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace corvane {

inline const QString kAlertsConfigFile = QStringLiteral("alerts.cfg");

// The alert settings of alerts.cfg. The volt defaults are those of a 12 V bank times
// SV/12; an empty optional is an alert switched off.
struct AlertsConfig {
    bool enabled = true;
    std::optional<double> low = 11.8;  // battery_low
    double lowClear = 12.4;
    std::optional<double> high = 14.8;  // battery_high
    double highClear = 14.2;
    double delaySeconds = 60;
    std::optional<double> noDataSeconds = 120;  // no_data
    QString command;

    bool operator==(const AlertsConfig&) const = default;
};

// The system voltage of prog.cfg's whole text; one that is missing or not a bank size
// the setup offers (12, 24, 48) counts as 24.
int bankVolts(const QString& progConfigText);

// Every default for a bank of `systemVolts`.
AlertsConfig defaultAlertsConfig(int systemVolts);

struct AlertsConfigReading {
    // The settings as the file gives them, defaults for missing keys: what the dialog shows.
    AlertsConfig written;
    // The settings in force: an alert whose numbers contradict each other is off.
    AlertsConfig config;
    // One line for the error log per contradiction, naming the alert it switched off.
    QStringList problems;
};

// Reads the whole text of alerts.cfg with the tag rule of the other configuration files.
// A missing file is an empty text and gives every default, so alerts are on everywhere.
AlertsConfigReading readAlertsConfig(const QString& text, int systemVolts);

// The whole alerts.cfg for `config`: title line, empty line, one tagged line per key, CR LF.
QString alertsConfigText(const AlertsConfig& config);

}  // namespace corvane
