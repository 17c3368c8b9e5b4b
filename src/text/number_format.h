#pragma once

#include <QString>

namespace corvane {

// Prints a value with a pattern such as "##.00", "####" or "#0.0": "0" is a digit that is
// always printed, "#" one printed only when significant; the integer part is never cut;
// the fraction is rounded to the pattern's decimals with halves away from zero, taken on
// the value's shortest decimal form (40.955 with "##.00" gives 40.96); a negative value
// gets a leading "-".
QString formatPattern(double value, QStringView pattern);

// General form: the value to 15 significant digits in plain decimal digits without
// trailing zeros (100000, 12.5, 3, 0.001, 0.1 + 0.2 as 0.3); only a value whose plain form
// would need more than 15 digits (leading zeros after the point count, a units zero does
// not) is written with an exponent (1e+20, 1.5e-15).
QString generalNumberText(double value);

}  // namespace corvane
