#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace corvane {

// A text is a number when all of it, blanks around it aside, is an optional sign, digits
// with an optional decimal point (at least one digit), and an optional exponent.
// The decimal point is always "." whatever the user's locale.
bool isNumericText(QStringView text);

// The number the text reads as, or nothing when it is not a number.
std::optional<double> numericValue(QStringView text);

// The number, or 0 for a text that is not a number (how frame and record fields read).
double valueOrZero(QStringView text);

// The number; a text that is not a number fails with "Type mismatch".
double toNumber(QStringView text);

// a / b; a zero divisor fails with "Division by zero".
double divide(double a, double b);

// Conversions to whole numbers round halves to the even neighbour and fail with
// "Overflow" when the result does not fit, "Type mismatch" for a text that is not a number.
qint16 toInteger16(double value);
qint16 toInteger16(QStringView text);
qint32 toInteger32(double value);
qint32 toInteger32(QStringView text);

}  // namespace corvane
