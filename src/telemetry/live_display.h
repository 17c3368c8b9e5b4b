#pragma once

#include <QList>
#include <QString>

namespace corvane {

// The latest values as the live list shows them.
struct LiveValues {
    double volts = 0;
    double amps = 0;
    double watts = 0;
    double wattHours = 0;
    double rpm = 0;
    double windSpeed = 0;
};

// The value and unit texts of one live-list row.
struct LiveRow {
    QString value;
    QString unit;

    bool operator==(const LiveRow&) const = default;
};

// Volts, amps, watts and watt-hours always; RPM when displayRpm is 1 and wind speed (with
// the configured unit) when displayWs is 1. The options are compared as numbers, so a
// text that is not a number fails with "Type mismatch".
QList<LiveRow> liveRows(const LiveValues& values, QStringView displayRpm, QStringView displayWs,
                        const QString& wsUnits);

// "Corvane  12.60V 3.2A 40W".
QString liveCaption(double volts, double amps, double watts);

}  // namespace corvane
