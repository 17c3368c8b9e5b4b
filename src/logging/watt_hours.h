#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace corvane {

// The watt-hour history, relative to the program's folder.
inline const QString kWattHoursFile = QStringLiteral("logs/Whours.txt");

enum class WattHourEntry {
    DayStart,  // written in the first seconds of a day, before the total restarts
    Exit,      // written when the user leaves with Exit
};

// One line of Whours.txt without its CR LF: "2010_03_08,00:00  234.6 Wh" for a day
// start, "2010_03_07 18:42  234.6 Wh" for an exit.
QString wattHourEntryLine(WattHourEntry kind, const QDate& date, const QTime& time, double wattHours);

// The watt-hour tick comes every 5 seconds; the day-start window is the first 10 seconds
// of the day, so normally two ticks fall into it.
bool isDayStart(float secondsSinceMidnight);

// The total after one tick at the latest power: 720 ticks of 5 seconds make an hour. A
// total that would grow too large for a double stays as it was.
double wattHoursAfterTick(double wattHours, double watts);

}  // namespace corvane
