#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

namespace corvane {

// Year in full, "_", two-digit month, "_", two-digit day: 2010_03_07.
QString dateText(const QDate& date);
// The date such a text stands for; nothing for any other text or a date that does not exist.
std::optional<QDate> dateFromText(const QString& text);

// Two-digit hour, ":", two-digit minute, 24-hour clock: 14:05.
QString timeText(const QTime& time);

// A time of day written as hours and minutes ("14:05", "7:5", optionally ":ss" seconds,
// blanks around it allowed); nothing for any other text or an hour above 23.
std::optional<QTime> parseTimeOfDay(QStringView text);
// The same for 8-bit text, such as a line of a day file.
std::optional<QTime> parseTimeOfDay(QLatin1StringView text);

}  // namespace corvane
