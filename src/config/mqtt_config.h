#pragma once

#include "config/config_files.h"

#include <QString>

namespace corvane {

// The publishing settings of mqtt.cfg. A missing file means publishing is off; a missing
// key takes the default shown here.
struct MqttConfig {
    bool enabled = false;
    QString host = QStringLiteral("localhost");
    int port = 1883;
    bool tls = false;
    QString caFile;  // empty: the system's certificates
    QString user;
    QString password;
    QString topic = QStringLiteral("corvane");
    bool discovery = true;
    QString clientId;

    bool operator==(const MqttConfig&) const = default;
};

// Reads the whole text of mqtt.cfg in the settings file form (config/settings_file_form.h):
// a key whose tags are not both there takes its default.
// `hostName` makes the default client id ("corvane-" and the host name). The port defaults
// to 8883 with TLS and 1883 without.
MqttConfig mqttConfigFromText(const QString& text, const QString& hostName);

// The port a text names: a whole number from 1 to 65535, else 8883 with TLS and 1883
// without. The file and the settings dialog's box read it alike.
int mqttPortOr(const QString& text, bool tls);

// The whole mqtt.cfg for `config` in the settings file form, titled "MQTT Settings".
QString mqttConfigText(const MqttConfig& config);

// "host:port", as the messages name the broker; never with the password.
QString brokerName(const MqttConfig& config);

}  // namespace corvane
