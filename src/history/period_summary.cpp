#include "history/period_summary.h"

#include <algorithm>

namespace corvane {

PeriodSummary summarisePeriod(const std::vector<DayEntry>& days, const QDate& first, const QDate& last)
{
    PeriodSummary period;
    DaySummary& total = period.total;
    double windSum = 0;
    for (const DayEntry& day : days) {
        if (day.date < first || day.date > last)
            continue;
        ++period.dayFiles;
        const DaySummary& s = day.summary;
        if (s.records == 0)
            continue;
        if (total.records == 0) {
            total.peakWatts = s.peakWatts;
            total.minVolts = s.minVolts;
            total.maxVolts = s.maxVolts;
            total.maxRpm = s.maxRpm;
        }
        total.records += s.records;
        total.energyWh += s.energyWh;
        total.peakWatts = std::max(total.peakWatts, s.peakWatts);
        total.minVolts = std::min(total.minVolts, s.minVolts);
        total.maxVolts = std::max(total.maxVolts, s.maxVolts);
        total.maxRpm = std::max(total.maxRpm, s.maxRpm);
        windSum += s.meanWind * s.records;
    }
    if (total.records > 0)
        total.meanWind = windSum / total.records;
    return period;
}

std::vector<std::optional<double>> dailyEnergy(const std::vector<DayEntry>& days, int year, int month)
{
    std::vector<std::optional<double>> values(static_cast<std::size_t>(QDate(year, month, 1).daysInMonth()));
    for (const DayEntry& day : days) {
        if (day.date.year() == year && day.date.month() == month)
            values[static_cast<std::size_t>(day.date.day() - 1)] = day.summary.energyWh;
    }
    return values;
}

std::vector<std::optional<double>> monthlyEnergy(const std::vector<DayEntry>& days, int year)
{
    std::vector<std::optional<double>> values(12);
    for (const DayEntry& day : days) {
        if (day.date.year() == year) {
            std::optional<double>& month = values[static_cast<std::size_t>(day.date.month() - 1)];
            month = month.value_or(0) + day.summary.energyWh;
        }
    }
    return values;
}

}  // namespace corvane
