#pragma once

#include "viewer/time_of_day.h"

#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <vector>

namespace corvane {

// The minutes at which the program was left with Exit, per date, in file order.
using ExitTimes = QHash<QDate, std::vector<TimeOfDay>>;

// The exit entries of Whours.txt's content ("2010_03_07 18:42  234.6 Wh"); day-start
// entries ("2010_03_08,00:00 ...") and lines of any other shape are passed over.
ExitTimes readExitTimes(QByteArrayView wattHoursContent);

}  // namespace corvane
