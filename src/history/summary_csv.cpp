#include "history/summary_csv.h"

#include "text/number_format.h"

namespace corvane {
namespace {
const QString kLineEnd = QStringLiteral("\r\n");
}  // namespace

QString summaryRow(const DayEntry& day)
{
    const DaySummary& s = day.summary;
    QString row = day.date.toString(QStringLiteral("yyyy-MM-dd")) + u',' + QString::number(s.records);
    if (s.records == 0)
        return row + QStringLiteral(",,,,,,");
    // A digit always before the point, and "." whatever the locale, for spreadsheets.
    for (const auto& [value, pattern] : {std::pair{s.energyWh, u"#0.0"}, {s.peakWatts, u"#0.00"},
                                         {s.minVolts, u"#0.00"}, {s.maxVolts, u"#0.00"},
                                         {s.maxRpm, u"#0"}, {s.meanWind, u"#0.0"}})
        row += u',' + formatPattern(value, pattern);
    return row;
}

QString summaryCsv(const std::vector<DayEntry>& days)
{
    QString text = kSummaryHeader + kLineEnd;
    for (const DayEntry& day : days)
        text += summaryRow(day) + kLineEnd;
    return text;
}

}  // namespace corvane
