#pragma once

#include <QString>

// The calibration dialog's own texts, spelled as the user sees them.
namespace corvane::calibrate_text {
inline const QString caption = QStringLiteral("Calibration");
inline const QString step1 = QStringLiteral("Step 1. Set Voltage");
inline const QString step1Lines[] = {QStringLiteral("Measure your battery voltage, and then adjust"),
                                     QStringLiteral("this value until the correct battery voltage"),
                                     QStringLiteral("is displayed")};
inline const QString step2 = QStringLiteral("Step 2. Set Current");
inline const QString step2Lines[] = {QStringLiteral("With no current flowing, press the Zero button.."),
                                     QStringLiteral("Apply a charging current, and adjust this"),
                                     QStringLiteral("value until the correct amps is displayed.")};
inline const QString step3 = QStringLiteral("Step 3. Set RPM");
inline const QString step3Lines[] = {QStringLiteral("How many pulses per revolution?"),
                                     QStringLiteral("ie, for a 14-pole alternator, type in 14.")};
inline const QString step4 = QStringLiteral("Step 4. Set Wind Speed");
inline const QString pulsesPer = QStringLiteral("How many pulses per ");
inline const QString zero = QStringLiteral("Zero");
inline const QString offset = QStringLiteral("Offset");
inline const QString equals = QStringLiteral("=");
inline const QString exit = QStringLiteral("Exit ( dont save )");
inline const QString save = QStringLiteral("Save Calibration");
inline const QString volts = QStringLiteral(" Volts");
inline const QString amps = QStringLiteral(" Amps");

inline const QString loadProblems = QStringLiteral("Not everything could be read:");
inline const QString noPort =
    QStringLiteral("No live readings: port 0 in prog.cfg means no port. The values can still be edited and saved.");
inline const QString noUsablePort =
    QStringLiteral("No live readings: prog.cfg gives no usable port. The values can still be edited and saved.");
inline const QString portFailed = QStringLiteral(
    "No live readings: port %1 could not be opened (%2). The values can still be edited and saved.");
inline const QString saveFailed =
    QStringLiteral("settings.cfg could not be saved (%1). The old file is unchanged.");
}  // namespace corvane::calibrate_text
