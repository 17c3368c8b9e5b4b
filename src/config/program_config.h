#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace corvane {

// prog.cfg as the setup dialog edits it; the flags are the check boxes.
struct ProgramConfig {
    QString port;
    bool saveHtml = false;
    bool saveExcel = false;
    QString logDelay;
    bool logOn = false;
    bool displayRpm = false;
    bool displayWindSpeed = false;
    QString windSpeedUnits;
    int systemVolts = 24;
    int maxAmps = 20;
    int baudRate = 4800;
    bool displayMessages = false;
};

// The values of the three option groups, in the order of their buttons.
inline constexpr std::array<int, 3> kSystemVoltChoices{12, 24, 48};
inline constexpr std::array<int, 3> kMaxAmpChoices{10, 20, 50};
inline constexpr std::array<int, 4> kBaudRateChoices{2400, 4800, 9600, 57600};

// The whole file: "Program Config File", an empty line, the twelve keys in their fixed
// order, and an empty line; every line ends with CR LF. Texts are written as typed.
QString programConfigText(const ProgramConfig& config);

struct ProgramConfigReading {
    ProgramConfig config;
    // One sentence per key that could not be used; its control keeps its default.
    QStringList problems;
};

// The values of prog.cfg's text for the setup dialog. A key that cannot be read, a check
// box value other than 0 or 1, or an SV, MA or BR that is not a number leaves the
// default and is reported; a number that matches no option keeps the default silently.
ProgramConfigReading readProgramConfig(const QString& fileText);

}  // namespace corvane
