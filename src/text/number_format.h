#pragma once

#include <QString>

namespace corvane {

// Prints a value with a pattern such as "##.00", "####" or "#0.0": "0" is a digit that is
// always printed, "#" one printed only when significant; the integer part is never cut;
// the fraction is rounded to the pattern's decimals with halves away from zero, taken on
// the value's shortest decimal form (40.955 with "##.00" gives 40.96); a negative value
// gets a leading "-".
QString formatPattern(double value, QStringView pattern);

// The shortest text that reads back as the same value, without trailing zeros:
// 12.5 as "12.5", 3 as "3", 0.5 as "0.5".
QString generalNumberText(double value);

}  // namespace corvane
