#pragma once

#include "history/day_summary.h"

#include <QDate>
#include <QStringList>
#include <vector>

namespace corvane {

// The summary of the day file of one date.
struct DayEntry {
    QDate date;
    DaySummary summary;
};

// The day files of a range, in date order, and why any of them could not be read (those
// have no entry).
struct HistoryReading {
    std::vector<DayEntry> days;
    QStringList problems;
};

}  // namespace corvane
