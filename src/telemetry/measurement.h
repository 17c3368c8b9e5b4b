#pragma once

#include <QString>

namespace corvane {

// Scaling of the raw readings with the calibration values, which are held as the texts
// read from settings.cfg: a value that is not a number fails with "Type mismatch", a zero
// divisor with "Division by zero", a result too large for a double with "Overflow".

// V / VoltDivider, rounded to 2 decimals.
double voltsFrom(double rawV, QStringView voltDivider);

// (I - VoltOffset) / AmpDivider, rounded to 2 decimals; a negative current reads as 0.
double ampsFrom(double rawI, QStringView voltOffset, QStringView ampDivider);

// (R / RPMDivider) x 60, rounded to 1 decimal; above kMaxPlausibleRpm is taken as a miscount and
// gives 0.
double rpmFrom(double rawR, QStringView rpmDivider);

// S / WSDivider, rounded to 1 decimal.
double windSpeedFrom(double rawS, QStringView wsDivider);

// amps x volts of the already rounded values, rounded to 2 decimals.
double wattsFrom(double amps, double volts);

// The largest RPM the windmill can turn; a larger reading is a miscount. The live values
// and every reader of the day files hold to the same limit.
inline constexpr double kMaxPlausibleRpm = 500;

}  // namespace corvane
