#include "config/program_config.h"

#include "config/config_files.h"
#include "config/config_keys.h"
#include "config/config_reader.h"
#include "config/config_writer.h"
#include "text/numeric_text.h"
#include "text/rounding.h"

#include <algorithm>
#include <span>

namespace corvane {
namespace {

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }


// A check box takes the value converted to a whole number: 0 clears it, 1 checks it.
void readCheckBox(ConfigReader& reader, const QString& key, bool& target)
{
    const std::optional<QString> value = reader.value(key);
    if (!value)
        return;
    const std::optional<double> number = numericValue(*value);
    const double whole = number ? roundHalfEven(*number) : -1;
    if (whole == 0 || whole == 1)
        target = whole == 1;
    else
        reader.noteUnusable(key, *value, QStringLiteral("0 or 1"), QStringLiteral("the box is left cleared"));
}

// An option group takes the choice equal to the value; `wholeNumber` first rounds the
// value to an integer (the baud rate is kept as one).
void readChoice(ConfigReader& reader, const QString& key, std::span<const int> choices, bool wholeNumber,
                int& target)
{
    const std::optional<QString> value = reader.value(key);
    if (!value)
        return;
    const std::optional<double> number = numericValue(*value);
    if (!number) {
        reader.noteUnusable(key, *value, QStringLiteral("a number"),
                            QString::number(target) + QStringLiteral(" is kept"));
        return;
    }
    const double compared = wholeNumber ? roundHalfEven(*number) : *number;
    const auto match = std::find(choices.begin(), choices.end(), compared);
    if (match != choices.end())
        target = *match;
}

}  // namespace

QString programConfigText(const ProgramConfig& config)
{
    QString text = QStringLiteral("Program Config File\r\n\r\n");
    text += tagLine(prog_key::kPort, config.port);
    text += tagLine(prog_key::kSaveHtml, flag(config.saveHtml));
    text += tagLine(prog_key::kSaveExcel, flag(config.saveExcel));
    text += tagLine(prog_key::kLogDelay, config.logDelay);
    text += tagLine(prog_key::kLogOn, flag(config.logOn));
    text += tagLine(prog_key::kDisplayRpm, flag(config.displayRpm));
    text += tagLine(prog_key::kDisplayWindSpeed, flag(config.displayWindSpeed));
    text += tagLine(prog_key::kWindSpeedUnits, config.windSpeedUnits);
    text += tagLine(prog_key::kSystemVolts, QString::number(config.systemVolts));
    text += tagLine(prog_key::kMaxAmps, QString::number(config.maxAmps));
    text += tagLine(prog_key::kBaudRate, QString::number(config.baudRate));
    text += tagLine(prog_key::kDisplayMessages, flag(config.displayMessages));
    text += QStringLiteral("\r\n");
    return text;
}

ProgramConfigReading readProgramConfig(const QString& fileText)
{
    ProgramConfigReading reading;
    ProgramConfig& config = reading.config;
    ConfigReader reader(kProgramConfigFile, fileText);
    reader.readText(prog_key::kPort, config.port);
    readCheckBox(reader, prog_key::kSaveHtml, config.saveHtml);
    readCheckBox(reader, prog_key::kSaveExcel, config.saveExcel);
    reader.readText(prog_key::kLogDelay, config.logDelay);
    readCheckBox(reader, prog_key::kLogOn, config.logOn);
    readCheckBox(reader, prog_key::kDisplayRpm, config.displayRpm);
    readCheckBox(reader, prog_key::kDisplayWindSpeed, config.displayWindSpeed);
    reader.readText(prog_key::kWindSpeedUnits, config.windSpeedUnits);
    readChoice(reader, prog_key::kSystemVolts, kSystemVoltChoices, false, config.systemVolts);
    readChoice(reader, prog_key::kMaxAmps, kMaxAmpChoices, false, config.maxAmps);
    readChoice(reader, prog_key::kBaudRate, kBaudRateChoices, true, config.baudRate);
    readCheckBox(reader, prog_key::kDisplayMessages, config.displayMessages);
    reading.problems = reader.problems();
    return reading;
}

}  // namespace corvane
