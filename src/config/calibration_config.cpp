#include "config/calibration_config.h"

#include "config/config_files.h"
#include "config/config_keys.h"
#include "config/config_reader.h"
#include "config/config_writer.h"
#include "text/failure.h"
#include "text/number_format.h"
#include "text/numeric_text.h"

namespace corvane {

QString calibrationConfigText(const CalibrationValues& values)
{
    QString text = QStringLiteral("Calibration Settings\r\n\r\n\r\n");
    text += tagLine(calibration_key::kVoltDivider, values.voltDivider);
    text += tagLine(calibration_key::kVoltOffset, values.voltOffset);
    text += tagLine(calibration_key::kAmpDivider, values.ampDivider);
    text += tagLine(calibration_key::kRpmDivider, values.rpmDivider);
    text += tagLine(calibration_key::kWindSpeedDivider, values.wsDivider);
    return text;
}

CalibrationLoad readCalibrationLoad(const std::optional<QString>& progText,
                                    const std::optional<QString>& settingsText)
{
    CalibrationLoad load;
    ConfigReader prog(kProgramConfigFile, progText);
    prog.readText(prog_key::kPort, load.port);
    if (const std::optional<QString> baud = prog.value(prog_key::kBaudRate)) {
        try {
            load.baudRate = toInteger32(*baud);
        } catch (const Failure&) {
            prog.noteUnusable(prog_key::kBaudRate, *baud, QStringLiteral("a baud rate"),
                              QStringLiteral("the port is not opened"));
        }
    }
    prog.readText(prog_key::kWindSpeedUnits, load.windSpeedUnits);

    ConfigReader settings(kCalibrationFile, settingsText);
    CalibrationValues& values = load.values;
    settings.readText(calibration_key::kVoltDivider, values.voltDivider);
    settings.readText(calibration_key::kVoltOffset, values.voltOffset);
    if (const std::optional<QString> ampDivider = settings.value(calibration_key::kAmpDivider)) {
        if (const std::optional<double> number = numericValue(*ampDivider)) {
            values.ampDivider = generalNumberText(*number);
        } else {
            values.ampDivider = *ampDivider;
            settings.noteUnusable(calibration_key::kAmpDivider, *ampDivider, QStringLiteral("a number"),
                                  QStringLiteral("shown as stored"));
        }
    }
    settings.readText(calibration_key::kRpmDivider, values.rpmDivider);
    settings.readText(calibration_key::kWindSpeedDivider, values.wsDivider);
    if (!isNumericText(values.voltOffset))
        settings.noteUnusable(calibration_key::kVoltOffset, values.voltOffset, QStringLiteral("a number"),
                              QStringLiteral("press Zero with no current flowing"));

    load.problems = prog.problems() + settings.problems();
    return load;
}

}  // namespace corvane
