#pragma once

#include "telemetry/measurement.h"
#include "viewer/time_of_day.h"

#include <optional>
#include <string_view>

namespace corvane {

// One record of a day file as every reader of the day files takes it.
struct DayRecord {
    TimeOfDay time = 0;
    double volts = 0;
    double amps = 0;
    double watts = 0;
    double rpm = 0;
    double speed = 0;
    // The running total after "</M>", before "Wh".
    double wattHours = 0;
};

// The record a line (without its CR LF) holds, or nothing when the line has no valid
// <T>...</T> time. A data field whose tags are missing or reversed, or whose text is not a
// number, reads as 0; an RPM above the ceiling reads as 0.
std::optional<DayRecord> readDayRecord(std::string_view line);

// Calls take(line) for every line of a day file's content split at CR LF, in file order;
// the text after the last CR LF is a line too.
template <typename Take>
void forEachDayLine(std::string_view content, Take&& take)
{
    constexpr std::string_view kLineEnd("\r\n");
    std::size_t lineStart = 0;
    for (;;) {
        const std::size_t lineEnd = content.find(kLineEnd, lineStart);
        const std::size_t end = lineEnd == std::string_view::npos ? content.size() : lineEnd;
        if (!take(content.substr(lineStart, end - lineStart)))
            return;
        if (lineEnd == std::string_view::npos)
            return;
        lineStart = lineEnd + kLineEnd.size();
    }
}

}  // namespace corvane
