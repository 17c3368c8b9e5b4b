#pragma once

#include "logging/window_events.h"

#include <QString>

namespace corvane {

// The JSON texts Corvane publishes. Numbers always use "." as the decimal point, whatever
// the locale; a value that is not finite is written as null.

// A JSON string literal, quotes included.
QString jsonString(const QString& text);
// The shortest text that reads back as the same value: 12.6, 3, 0.5.
QString jsonNumber(double value);

// {"time": ..., "volts": .., "amps": .., "watts": .., "watt_hours": .., "rpm": ..,
//  "wind_speed": .., "wind_units": ..} with the values as the window holds them.
QString liveJson(const AcceptedFrame& frame);

// {"date": "yyyy-mm-dd", "time": "hh:mm", ...} with the numbers exactly as the record
// line prints them (its decimals kept); an empty RPM field is 0.
QString recordJson(const WrittenRecord& record);

// ISO 8601 local time with seconds and the offset from UTC: 2010-03-07T14:05:00+01:00.
QString isoLocalTime(const QDateTime& time);

}  // namespace corvane
