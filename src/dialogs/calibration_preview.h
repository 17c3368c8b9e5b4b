#pragma once

#include "dialogs/calibration_frame.h"

#include <QString>
#include <optional>

namespace corvane {

// What the user has typed or captured in the calibration dialog.
struct CalibrationInputs {
    QString voltDivider;     // BatteryVolts
    QString ampDivider;      // BatteryCurrent
    QString offset;          // captured by "Zero"
    QString rpmDivider;      // PulseDivider
    QString wsDivider;       // Pulse2Divider
    QString windSpeedUnits;
};

// The dialog's captions for one frame. A preview without a value keeps its last text.
struct CalibrationPreview {
    QString rawVolts;        // txtBattV
    QString rawShunt;        // txtShuntV
    QString pulses;          // txtPulsess
    QString pulses2;         // txtPulsess2
    QString rpmText;         // txtWindmillRPM
    QString windSpeedText;   // txtWindSpeed
    std::optional<QString> voltsText;  // txtBattVadjusted
    std::optional<QString> ampsText;   // txtBattAadjusted
    double rpm = 1;
    double windSpeed = 0;
};

// The previews with the formulas of the live display, unclamped. RPM is 1 unless the
// RPM divider is a positive number; the wind speed keeps `lastWindSpeed` unless its
// divider is; volts need a positive divider, amps a non-zero one and a numeric offset.
CalibrationPreview calibrationPreview(const CalibrationReadings& raw, const CalibrationInputs& inputs,
                                      double lastWindSpeed);

// `value` rounded to `decimals` places, an exact half to the even digit, in general form
// without trailing zeros: 12.50 as "12.5", 3.00 as "3".
QString roundedText(double value, int decimals);

}  // namespace corvane
