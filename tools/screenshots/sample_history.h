#pragma once

#include <QDate>
#include <QString>

namespace corvane::screenshots {

// Day files at a 10-minute interval for every day of `today`'s year before it that has
// none yet, under a wind that changes with the seasons and from day to day, so that the
// history has a year to show.
void writeSampleHistory(const QString& folder, const QDate& today);

}  // namespace corvane::screenshots
