#pragma once

#include "logging/interval_values.h"

#include <QString>
#include <QTime>

namespace corvane {

// One record of a day file, without its CR LF:
// <T>14:05</T><V>12.60</V><I>3.25</I><W>40.95</W><R></R><S>4.3</S><M>0</M>   234.5Wh
QString recordLine(const QTime& time, const IntervalValues& means, int loadFlag, double wattHours);

}  // namespace corvane
