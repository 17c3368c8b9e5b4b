#include "telemetry/live_display.h"

#include "text/number_format.h"
#include "text/numeric_text.h"

namespace corvane {

QList<LiveRow> liveRows(const LiveValues& values, QStringView displayRpm, QStringView displayWs,
                        const QString& wsUnits)
{
    QList<LiveRow> rows{
        {formatPattern(values.volts, u"##.00"), QStringLiteral("Volts")},
        {formatPattern(values.amps, u"##0.0"), QStringLiteral("Amps")},
        {formatPattern(values.watts, u"####0.0"), QStringLiteral("Watts")},
        {formatPattern(values.wattHours, u"#####0.0"), QStringLiteral("WattHours")},
    };
    if (toNumber(displayRpm) == 1)
        rows.append({formatPattern(values.rpm, u"##0"), QStringLiteral("RPM")});
    if (toNumber(displayWs) == 1)
        rows.append({formatPattern(values.windSpeed, u"##0"), wsUnits});
    return rows;
}

QString liveCaption(double volts, double amps, double watts)
{
    return QStringLiteral("Corvane  ") + formatPattern(volts, u"#0.00") + QStringLiteral("V ")
           + formatPattern(amps, u"#0.0") + QStringLiteral("A ") + formatPattern(watts, u"###0")
           + QStringLiteral("W");
}

}  // namespace corvane
