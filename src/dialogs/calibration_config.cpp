#include "dialogs/calibration_config.h"

#include "config/config_files.h"
#include "dialogs/config_reader.h"
#include "dialogs/config_writer.h"
#include "text/failure.h"
#include "text/number_format.h"
#include "text/numeric_text.h"

namespace corvane {
namespace {

void readText(ConfigReader& reader, const QString& key, QString& target)
{
    if (const std::optional<QString> value = reader.value(key))
        target = *value;
}

}  // namespace

QString calibrationConfigText(const CalibrationValues& values)
{
    QString text = QStringLiteral("Calibration Settings\r\n\r\n\r\n");
    text += tagLine(QStringLiteral("VoltDivider"), values.voltDivider);
    text += tagLine(QStringLiteral("VoltOffset"), values.voltOffset);
    text += tagLine(QStringLiteral("AmpDivider"), values.ampDivider);
    text += tagLine(QStringLiteral("RPMDivider"), values.rpmDivider);
    text += tagLine(QStringLiteral("WSDivider"), values.wsDivider);
    return text;
}

CalibrationLoad readCalibrationLoad(const std::optional<QString>& progText,
                                    const std::optional<QString>& settingsText)
{
    CalibrationLoad load;
    ConfigReader prog(kProgramConfigFile, progText);
    readText(prog, QStringLiteral("Port"), load.port);
    if (const std::optional<QString> baud = prog.value(QStringLiteral("BR"))) {
        try {
            load.baudRate = toInteger32(*baud);
        } catch (const Failure&) {
            prog.noteUnusable(QStringLiteral("BR"), *baud, QStringLiteral("a baud rate"),
                              QStringLiteral("the port is not opened"));
        }
    }
    readText(prog, QStringLiteral("WSUnits"), load.windSpeedUnits);

    ConfigReader settings(kCalibrationFile, settingsText);
    CalibrationValues& values = load.values;
    readText(settings, QStringLiteral("VoltDivider"), values.voltDivider);
    readText(settings, QStringLiteral("VoltOffset"), values.voltOffset);
    if (const std::optional<QString> ampDivider = settings.value(QStringLiteral("AmpDivider"))) {
        if (const std::optional<double> number = numericValue(*ampDivider)) {
            values.ampDivider = generalNumberText(*number);
        } else {
            values.ampDivider = *ampDivider;
            settings.noteUnusable(QStringLiteral("AmpDivider"), *ampDivider, QStringLiteral("a number"),
                                  QStringLiteral("shown as stored"));
        }
    }
    readText(settings, QStringLiteral("RPMDivider"), values.rpmDivider);
    readText(settings, QStringLiteral("WSDivider"), values.wsDivider);
    if (!isNumericText(values.voltOffset))
        settings.noteUnusable(QStringLiteral("VoltOffset"), values.voltOffset, QStringLiteral("a number"),
                              QStringLiteral("press Zero with no current flowing"));

    load.problems = prog.problems() + settings.problems();
    return load;
}

}  // namespace corvane
