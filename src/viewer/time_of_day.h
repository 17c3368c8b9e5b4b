#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace corvane {

// A time of day as whole seconds since midnight; compares like the fraction of a day.
using TimeOfDay = int;

// Two-digit hour, ":", two-digit minute: 14:05.
QString timeOfDayText(TimeOfDay time);

// The time of day an 8-bit text gives ("14:05", also "7:5" or with seconds and blanks
// around it), or nothing when it is not a valid time of day.
std::optional<TimeOfDay> timeOfDayFromText(QByteArrayView text);

// The time of day of an hour box and a minute box joined by ":".
std::optional<TimeOfDay> timeOfDayFromBoxes(const QString& hour, const QString& minute);

}  // namespace corvane
