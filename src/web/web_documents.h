#pragma once

#include "history/day_entry.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <vector>

namespace corvane {

// The largest part of a day file the page reads: far above a day of records at the
// shortest interval, so only a damaged file is cut short.
inline constexpr qint64 kMaxDayFileBytes = 16 * 1024 * 1024;

// {"date": "yyyy-mm-dd", "records": [...]}: every line of the day file's content that
// has a valid time, in file order, read as the viewer reads it and stopping at its
// record limit.
QByteArray dayJson(const QDate& date, QByteArrayView content);

// The day summaries as a JSON array: one object per day with the summary CSV's columns
// as keys, the date a string and the other values numbers (null where the CSV is empty).
QByteArray summaryJson(const std::vector<DayEntry>& days);

// A JSON array of strings.
QByteArray linesJson(const QStringList& lines);

// The last `count` lines of an 8-bit text file, oldest first, read from its end; an empty
// list when the file cannot be read.
QStringList lastLines(const QString& path, int count);

// {"error": "<reason>"}
QByteArray errorJson(const QString& reason);

}  // namespace corvane
