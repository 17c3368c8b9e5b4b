#include "viewer/day_file_loader.h"

#include "viewer/day_record.h"

namespace corvane {
namespace {

enum class LineResult { Skipped, Taken, OverLimit };

LineResult takeLine(std::string_view line, TimeRange range, RecordArrays& records)
{
    const std::optional<DayRecord> record = readDayRecord(line);
    if (!record || !(range.fromTime < record->time && record->time < range.toTime))
        return LineResult::Skipped;

    ++records.recordCount;
    if (records.recordCount >= RecordArrays::kRecordLimit)
        return LineResult::OverLimit;

    const int slot = records.recordCount;
    records.recTime[slot] = record->time;
    records.recVolts[slot] = record->volts;
    records.recAmps[slot] = record->amps;
    records.recRpm[slot] = record->rpm;
    records.recWatts[slot] = record->watts;
    records.recSpeed[slot] = record->speed;
    return LineResult::Taken;
}

}  // namespace

DayLoadOutcome loadDayRecords(QByteArrayView content, TimeRange range, RecordArrays& records)
{
    records.recordCount = 0;
    bool overLimit = false;
    forEachDayLine(std::string_view(content.data(), static_cast<std::size_t>(content.size())),
                   [&](std::string_view line) {
                       overLimit = takeLine(line, range, records) == LineResult::OverLimit;
                       return !overLimit;
                   });
    if (overLimit)
        return DayLoadOutcome::OverLimit;
    return records.recordCount == 0 ? DayLoadOutcome::NoData : DayLoadOutcome::Loaded;
}

}  // namespace corvane
