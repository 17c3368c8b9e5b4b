#include "logging/record_line.h"

#include "text/date_time_text.h"
#include "text/number_format.h"

namespace corvane {

QString recordLine(const QTime& time, const IntervalValues& means, int loadFlag, double wattHours)
{
    return QStringLiteral("<T>") + timeText(time) + QStringLiteral("</T><V>")
           + formatPattern(means.volts, u"##.00") + QStringLiteral("</V><I>")
           + formatPattern(means.amps, u"###.00") + QStringLiteral("</I><W>")
           + formatPattern(means.watts, u"####.00") + QStringLiteral("</W><R>")
           + formatPattern(means.rpm, u"####") + QStringLiteral("</R><S>")
           + formatPattern(means.windSpeed, u"###.0") + QStringLiteral("</S><M>")
           + QString::number(loadFlag) + QStringLiteral("</M>   ")
           + formatPattern(wattHours, u"######.0") + QStringLiteral("Wh");
}

}  // namespace corvane
