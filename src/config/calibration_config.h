#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace corvane {

// settings.cfg's five values as texts; the defaults are the dialog's initial texts.
struct CalibrationValues {
    QString voltDivider = QStringLiteral("0");
    QString voltOffset = QStringLiteral("0");
    QString ampDivider = QStringLiteral("0");
    QString rpmDivider = QStringLiteral("1");
    QString wsDivider = QStringLiteral("1");
};

// The whole file: "Calibration Settings", two empty lines, the five keys in their fixed
// order; every line ends with CR LF. Texts are written exactly as given.
QString calibrationConfigText(const CalibrationValues& values);

// What the calibration dialog takes from both files when it opens.
struct CalibrationLoad {
    QString port;                       // empty when prog.cfg gives none
    std::optional<qint32> baudRate;     // nothing when missing or not a number
    QString windSpeedUnits;
    CalibrationValues values;           // ampDivider already in general form
    QStringList problems;
};

// Port, BR and WSUnits from prog.cfg and the five values from settings.cfg; nothing for
// a file that could not be read (the caller reports it). A key that cannot be read keeps
// its default; a BR, AmpDivider or VoltOffset that is not a number is reported.
CalibrationLoad readCalibrationLoad(const std::optional<QString>& progText,
                                    const std::optional<QString>& settingsText);

}  // namespace corvane
