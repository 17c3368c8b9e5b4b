#include "dialogs/program_config.h"

#include "config/config_files.h"
#include "dialogs/config_reader.h"
#include "dialogs/config_writer.h"
#include "text/numeric_text.h"
#include "text/rounding.h"

#include <algorithm>
#include <span>

namespace corvane {
namespace {

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

void readText(ConfigReader& reader, const QString& key, QString& target)
{
    if (const std::optional<QString> value = reader.value(key))
        target = *value;
}

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
    text += tagLine(QStringLiteral("Port"), config.port);
    text += tagLine(QStringLiteral("Savehtml"), flag(config.saveHtml));
    text += tagLine(QStringLiteral("SaveExcel"), flag(config.saveExcel));
    text += tagLine(QStringLiteral("LogDelay"), config.logDelay);
    text += tagLine(QStringLiteral("LogOn"), flag(config.logOn));
    text += tagLine(QStringLiteral("DisplayRPM"), flag(config.displayRpm));
    text += tagLine(QStringLiteral("DisplayWS"), flag(config.displayWindSpeed));
    text += tagLine(QStringLiteral("WSUnits"), config.windSpeedUnits);
    text += tagLine(QStringLiteral("SV"), QString::number(config.systemVolts));
    text += tagLine(QStringLiteral("MA"), QString::number(config.maxAmps));
    text += tagLine(QStringLiteral("BR"), QString::number(config.baudRate));
    text += tagLine(QStringLiteral("dispMessages"), flag(config.displayMessages));
    text += QStringLiteral("\r\n");
    return text;
}

ProgramConfigReading readProgramConfig(const QString& fileText)
{
    ProgramConfigReading reading;
    ProgramConfig& config = reading.config;
    ConfigReader reader(kProgramConfigFile, fileText);
    readText(reader, QStringLiteral("Port"), config.port);
    readCheckBox(reader, QStringLiteral("Savehtml"), config.saveHtml);
    readCheckBox(reader, QStringLiteral("SaveExcel"), config.saveExcel);
    readText(reader, QStringLiteral("LogDelay"), config.logDelay);
    readCheckBox(reader, QStringLiteral("LogOn"), config.logOn);
    readCheckBox(reader, QStringLiteral("DisplayRPM"), config.displayRpm);
    readCheckBox(reader, QStringLiteral("DisplayWS"), config.displayWindSpeed);
    readText(reader, QStringLiteral("WSUnits"), config.windSpeedUnits);
    readChoice(reader, QStringLiteral("SV"), kSystemVoltChoices, false, config.systemVolts);
    readChoice(reader, QStringLiteral("MA"), kMaxAmpChoices, false, config.maxAmps);
    readChoice(reader, QStringLiteral("BR"), kBaudRateChoices, true, config.baudRate);
    readCheckBox(reader, QStringLiteral("dispMessages"), config.displayMessages);
    reading.problems = reader.problems();
    return reading;
}

}  // namespace corvane
