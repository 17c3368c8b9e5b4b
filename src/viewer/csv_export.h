#pragma once

#include "viewer/record_arrays.h"

#include <QString>
#include <optional>

namespace corvane {

// The four time boxes as they stand.
struct TimeBoxes {
    QString fromHour;
    QString fromMinute;
    QString toHour;
    QString toMinute;
};

// The export's file name: the day file's name up to its first ".", "_", the From boxes,
// "_", the To boxes, ".csv" (P_2010_05_01.txt with 00 05 23 55 gives
// P_2010_05_01_0005_2355.csv). Nothing when the day file's name has no "." (no file
// chosen) or the result would not be a plain file name inside the logs folder.
std::optional<QString> csvFileName(const QString& dayFileName, const TimeBoxes& boxes);

// The header and one line per window position from windowStart to windowEnd (both
// included, each position's slot rounded halves to even), every line ending in CR LF.
QString csvText(const RecordArrays& records, double windowStart, double windowEnd);

}  // namespace corvane
