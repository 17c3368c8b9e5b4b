#include "dialogs/calibration_preview.h"

#include "text/number_format.h"
#include "text/numeric_text.h"
#include "text/rounding.h"

namespace corvane {
namespace {

std::optional<double> positiveNumber(QStringView text)
{
    const std::optional<double> number = numericValue(text);
    if (number && *number > 0)
        return number;
    return std::nullopt;
}

}  // namespace

QString roundedText(double value, int decimals)
{
    return generalNumberText(roundHalfEven(value, decimals));
}

CalibrationPreview calibrationPreview(const CalibrationReadings& raw, const CalibrationInputs& inputs,
                                      double lastWindSpeed)
{
    // An empty reading counts as 0, as does one that was not a number ("0" already).
    const double volts = valueOrZero(raw.volts);
    const double shunt = valueOrZero(raw.shunt);
    const double pulses = valueOrZero(raw.pulses);
    const double pulses2 = valueOrZero(raw.pulses2);

    CalibrationPreview preview;
    if (const std::optional<double> divider = positiveNumber(inputs.rpmDivider))
        preview.rpm = pulses / *divider * 60;
    preview.windSpeed = lastWindSpeed;
    if (const std::optional<double> divider = positiveNumber(inputs.wsDivider))
        preview.windSpeed = pulses2 / *divider;

    preview.rawVolts = roundedText(volts, 2);
    preview.rawShunt = roundedText(shunt, 2);
    preview.pulses = raw.pulses;
    preview.rpmText = roundedText(preview.rpm, 1) + QStringLiteral(" RPM");
    preview.pulses2 = raw.pulses2;
    preview.windSpeedText = roundedText(preview.windSpeed, 1) + u' ' + inputs.windSpeedUnits;

    if (const std::optional<double> divider = positiveNumber(inputs.voltDivider))
        preview.voltsText = roundedText(volts / *divider, 2) + QStringLiteral(" Volts");
    const std::optional<double> ampDivider = numericValue(inputs.ampDivider);
    const std::optional<double> offset = numericValue(inputs.offset);
    if (ampDivider && *ampDivider != 0 && offset)
        preview.ampsText = roundedText((shunt - *offset) / *ampDivider, 2) + QStringLiteral(" Amps");
    return preview;
}

}  // namespace corvane
