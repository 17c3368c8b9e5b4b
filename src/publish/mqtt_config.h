#pragma once

#include <QString>

namespace corvane {

inline const QString kMqttConfigFile = QStringLiteral("mqtt.cfg");

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

// Reads the whole text of mqtt.cfg with the tag rule of the other configuration files.
// `hostName` makes the default client id ("corvane-" and the host name). The port defaults
// to 8883 with TLS and 1883 without.
MqttConfig mqttConfigFromText(const QString& text, const QString& hostName);

// The whole mqtt.cfg for `config`: title line, empty line, one tagged line per key, CR LF.
QString mqttConfigText(const MqttConfig& config);

// "host:port", as the messages name the broker; never with the password.
QString brokerName(const MqttConfig& config);

}  // namespace corvane
