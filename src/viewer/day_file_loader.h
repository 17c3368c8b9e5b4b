#pragma once

#include "viewer/day_record.h"
#include "viewer/record_arrays.h"
#include "viewer/time_of_day.h"

#include <QByteArrayView>

namespace corvane {

// The bounds of a load; a record is taken only when fromTime < its time < toTime.
struct TimeRange {
    TimeOfDay fromTime = 0;
    TimeOfDay toTime = 0;
};

enum class DayLoadOutcome {
    Loaded,     // recordCount records, at least one
    NoData,     // recordCount is 0
    OverLimit,  // recordCount is kRecordLimit and slots 1 to kRecordLimit - 1 are overwritten
};

// Loads the records of a day file's whole content that lie strictly inside the range
// into slots 1, 2, ... in file order. Lines end at CR LF; a line without a valid
// <T>...</T> time is skipped; a data field whose tags are missing or reversed, or whose
// text is not a number, loads as 0. One pass over the content, whatever it holds.
DayLoadOutcome loadDayRecords(QByteArrayView content, TimeRange range, RecordArrays& records);

}  // namespace corvane
