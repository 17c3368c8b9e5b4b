#pragma once

#include <QString>

// The setup dialog's own texts, spelled as the user sees them.
namespace corvane::setup_text {
inline const QString caption = QStringLiteral("Corvane Setup");
inline const QString comPort = QStringLiteral("Com port");
inline const QString saveHtml = QStringLiteral("Save HTML page?");
inline const QString savedToHtml = QStringLiteral("Saved to /html folder");
inline const QString saveExcel = QStringLiteral("Save Excel File?");
inline const QString savedToExcel = QStringLiteral("Saved to /Excel folder");
inline const QString logDelay = QStringLiteral("Default Logging Interval");
inline const QString logDelayUnit = QStringLiteral("Seconds ( 10 - 600 )");
inline const QString logOn = QStringLiteral("Start Logger Automatically?");
inline const QString displayRpm = QStringLiteral("Display RPM?");
inline const QString displayMessages = QStringLiteral("Display messages");
inline const QString displayWs = QStringLiteral("Display Wind Speed?");
inline const QString wsUnits = QStringLiteral("Wind Speed Units");
inline const QString systemVoltage = QStringLiteral("System Voltage");
inline const QString maxSystemAmps = QStringLiteral("Max System Amps");
inline const QString baudRate = QStringLiteral("Baud rate");
// 57600 baud, captioned as the users of the program have always seen it.
inline const QString baud57600 = QStringLiteral("56600");
// Opens the publishing settings, which live in mqtt.cfg.
inline const QString mqtt = QStringLiteral("MQTT...");
// Opens the alert settings, which live in alerts.cfg.
inline const QString alerts = QStringLiteral("Alerts...");
// Opens the page's settings, which live in web.cfg.
inline const QString web = QStringLiteral("Web...");
inline const QString abort = QStringLiteral("Abort");
inline const QString save = QStringLiteral("Save Setings");
inline const QString badPortNumber =
    QStringLiteral("There is a bad number for Port Number. Must be between 1 and 8 ( 1 or 2 most common )");
inline const QString loadProblems = QStringLiteral("Not everything could be read; check these before saving:");
inline const QString saveFailed = QStringLiteral("prog.cfg could not be saved (%1). The old file is unchanged.");
}  // namespace corvane::setup_text
