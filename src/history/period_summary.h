#pragma once

#include "history/day_entry.h"

#include <optional>
#include <vector>

namespace corvane {

// What the days of a period brought together: the energies and records added, the
// extremes over all days with records, the wind speed averaged over all their records.
struct PeriodSummary {
    int dayFiles = 0;
    DaySummary total;
};

PeriodSummary summarisePeriod(const std::vector<DayEntry>& days, const QDate& first, const QDate& last);

// One value per day of the month (index 0 is the 1st): the day's energy, or nothing
// when there is no day file for it.
std::vector<std::optional<double>> dailyEnergy(const std::vector<DayEntry>& days, int year, int month);

// One value per month of the year: the energy of its day files, or nothing when the
// month has none.
std::vector<std::optional<double>> monthlyEnergy(const std::vector<DayEntry>& days, int year);

}  // namespace corvane
