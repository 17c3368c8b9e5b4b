#pragma once

#include "history/period_summary.h"

#include <QString>

namespace corvane {

// An energy for people: "812.4 Wh" below a kilowatt-hour, "38.41 kWh" from there on.
QString energyText(double wattHours);

// A grid line's energy, as short as it can be: "125 Wh", "2.5 kWh".
QString scaleText(double wattHours);

// "March 2010".
QString monthTitle(int year, int month);

// What the pointer over a day's bar shows: "Sunday 7 March 2010: 1.25 kWh, 8640 records,
// peak 812.40 W, 24.10 to 28.95 V, max 412 RPM, mean wind 5.2"; a day without a file or
// without records says so.
QString dayText(const QDate& date, const DaySummary* summary);

// The same for a month or a year: "March 2010: 38.41 kWh from 31 days, ...".
QString periodText(const QString& title, const PeriodSummary& period);

}  // namespace corvane
