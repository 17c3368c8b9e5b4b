#pragma once

#include "history/day_entry.h"

#include <QString>

namespace corvane {

inline const QString kSummaryHeader
    = QStringLiteral("date,records,energy_wh,peak_watts,min_volts,max_volts,max_rpm,mean_wind");

// One day's row without its line end: "2010-03-07,8640,1250.3,812.40,24.10,28.95,412,5.2".
// A day without records has its count 0 and the other fields empty.
QString summaryRow(const DayEntry& day);

// The header and one row per day, every line ending with CR LF.
QString summaryCsv(const std::vector<DayEntry>& days);

}  // namespace corvane
