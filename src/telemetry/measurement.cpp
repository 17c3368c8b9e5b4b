#include "telemetry/measurement.h"

#include "text/failure.h"
#include "text/numeric_text.h"
#include "text/rounding.h"

#include <cmath>

namespace corvane {
namespace {

// A board value near the largest number, or a tiny divisor, gives a result no double holds;
// kept as infinity it would reach the sums, the records and the watt-hour total for good.
double finite(double result)
{
    if (!std::isfinite(result))
        throw Failure(failure_text::overflow);
    return result;
}

}  // namespace

double voltsFrom(double rawV, QStringView voltDivider)
{
    return roundHalfEven(finite(divide(rawV, toNumber(voltDivider))), 2);
}

double ampsFrom(double rawI, QStringView voltOffset, QStringView ampDivider)
{
    const double offset = toNumber(voltOffset);
    const double amps = roundHalfEven(finite(divide(rawI - offset, toNumber(ampDivider))), 2);
    return amps <= 0 ? 0 : amps;  // also turns -0 into 0
}

double rpmFrom(double rawR, QStringView rpmDivider)
{
    const double rpm = roundHalfEven(finite(divide(rawR, toNumber(rpmDivider)) * 60), 1);
    return rpm > kMaxPlausibleRpm ? 0 : rpm;
}

double windSpeedFrom(double rawS, QStringView wsDivider)
{
    return roundHalfEven(finite(divide(rawS, toNumber(wsDivider))), 1);
}

double wattsFrom(double amps, double volts)
{
    return roundHalfEven(finite(amps * volts), 2);
}

}  // namespace corvane
