#pragma once

#include <QString>

namespace corvane {

// The key names of the configuration files, each spelled here and nowhere else: every
// reader, writer and window takes them from this header, so a name cannot drift.

// prog.cfg, in the order the setup dialog writes them.
namespace prog_key {
inline const QString kPort = QStringLiteral("Port");
inline const QString kSaveHtml = QStringLiteral("Savehtml");
inline const QString kSaveExcel = QStringLiteral("SaveExcel");
inline const QString kLogDelay = QStringLiteral("LogDelay");
inline const QString kLogOn = QStringLiteral("LogOn");
inline const QString kDisplayRpm = QStringLiteral("DisplayRPM");
inline const QString kDisplayWindSpeed = QStringLiteral("DisplayWS");
inline const QString kWindSpeedUnits = QStringLiteral("WSUnits");
inline const QString kSystemVolts = QStringLiteral("SV");
inline const QString kMaxAmps = QStringLiteral("MA");
inline const QString kBaudRate = QStringLiteral("BR");
inline const QString kDisplayMessages = QStringLiteral("dispMessages");
}  // namespace prog_key

// settings.cfg, in the order the calibration dialog writes them.
namespace calibration_key {
inline const QString kVoltDivider = QStringLiteral("VoltDivider");
inline const QString kVoltOffset = QStringLiteral("VoltOffset");
inline const QString kAmpDivider = QStringLiteral("AmpDivider");
inline const QString kRpmDivider = QStringLiteral("RPMDivider");
inline const QString kWindSpeedDivider = QStringLiteral("WSDivider");
}  // namespace calibration_key

// mqtt.cfg, in the order the MQTT settings dialog writes them.
namespace mqtt_key {
inline const QString kEnabled = QStringLiteral("Enabled");
inline const QString kHost = QStringLiteral("Host");
inline const QString kPort = QStringLiteral("Port");
inline const QString kTls = QStringLiteral("TLS");
inline const QString kCaFile = QStringLiteral("CAFile");
inline const QString kUser = QStringLiteral("User");
inline const QString kPassword = QStringLiteral("Password");
inline const QString kTopic = QStringLiteral("Topic");
inline const QString kDiscovery = QStringLiteral("Discovery");
inline const QString kClientId = QStringLiteral("ClientId");
}  // namespace mqtt_key

// web.cfg, in the order the web settings dialog writes them.
namespace web_key {
inline const QString kEnabled = QStringLiteral("Enabled");
inline const QString kAddress = QStringLiteral("Address");
inline const QString kPort = QStringLiteral("Port");
inline const QString kUser = QStringLiteral("User");
inline const QString kPassword = QStringLiteral("Password");
inline const QString kCertFile = QStringLiteral("CertFile");
inline const QString kKeyFile = QStringLiteral("KeyFile");
}  // namespace web_key

}  // namespace corvane
