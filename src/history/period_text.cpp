#include "history/period_text.h"

#include "text/number_format.h"

#include <QLocale>

namespace corvane {
namespace {

// The figures after the energy, the same for a day and a period.
QString figuresText(const DaySummary& s)
{
    return QStringLiteral(", %1 records, peak %2 W, %3 to %4 V, max %5 RPM, mean wind %6")
        .arg(QString::number(s.records), formatPattern(s.peakWatts, u"#0.00"), formatPattern(s.minVolts, u"#0.00"),
             formatPattern(s.maxVolts, u"#0.00"), formatPattern(s.maxRpm, u"#0"), formatPattern(s.meanWind, u"#0.0"));
}

}  // namespace

constexpr double kWattHoursPerKilo = 1000;

QString scaleText(double wattHours)
{
    if (wattHours >= kWattHoursPerKilo)
        return generalNumberText(wattHours / kWattHoursPerKilo) + QStringLiteral(" kWh");
    return generalNumberText(wattHours) + QStringLiteral(" Wh");
}

QString energyText(double wattHours)
{
    if (wattHours >= kWattHoursPerKilo)
        return formatPattern(wattHours / kWattHoursPerKilo, u"#0.00") + QStringLiteral(" kWh");
    return formatPattern(wattHours, u"#0.0") + QStringLiteral(" Wh");
}

QString monthTitle(int year, int month)
{
    return QLocale(QLocale::English).standaloneMonthName(month) + u' ' + QString::number(year);
}

QString dayText(const QDate& date, const DaySummary* summary)
{
    const QString title = QLocale(QLocale::English).toString(date, QStringLiteral("dddd d MMMM yyyy"));
    if (!summary)
        return title + QStringLiteral(": no log");
    if (summary->records == 0)
        return title + QStringLiteral(": no records");
    return title + QStringLiteral(": ") + energyText(summary->energyWh) + figuresText(*summary);
}

QString periodText(const QString& title, const PeriodSummary& period)
{
    if (period.dayFiles == 0)
        return title + QStringLiteral(": no logs");
    const QString days = period.dayFiles == 1 ? QStringLiteral("1 day") : QString::number(period.dayFiles) + QStringLiteral(" days");
    if (period.total.records == 0)
        return title + QStringLiteral(": no records in ") + days;
    return title + QStringLiteral(": ") + energyText(period.total.energyWh) + QStringLiteral(" from ") + days
           + figuresText(period.total);
}

}  // namespace corvane
