#include "telemetry/measurement.h"

#include "text/numeric_text.h"
#include "text/rounding.h"

namespace corvane {

double voltsFrom(double rawV, QStringView voltDivider)
{
    return roundHalfEven(divide(rawV, toNumber(voltDivider)), 2);
}

double ampsFrom(double rawI, QStringView voltOffset, QStringView ampDivider)
{
    const double offset = toNumber(voltOffset);
    const double amps = roundHalfEven(divide(rawI - offset, toNumber(ampDivider)), 2);
    return amps <= 0 ? 0 : amps;  // also turns -0 into 0
}

double rpmFrom(double rawR, QStringView rpmDivider)
{
    const double rpm = roundHalfEven(divide(rawR, toNumber(rpmDivider)) * 60, 1);
    return rpm > kMaxPlausibleRpm ? 0 : rpm;
}

double windSpeedFrom(double rawS, QStringView wsDivider)
{
    return roundHalfEven(divide(rawS, toNumber(wsDivider)), 1);
}

double wattsFrom(double amps, double volts)
{
    return roundHalfEven(amps * volts, 2);
}

}  // namespace corvane
