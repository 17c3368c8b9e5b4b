#include "config/mqtt_config.h"

#include "config/config_keys.h"
#include "config/key_policies.h"
#include "config/settings_file_form.h"

namespace corvane {

MqttConfig mqttConfigFromText(const QString& text, const QString& hostName)
{
    MqttConfig config;
    config.enabled = settingFlagOr(text, mqtt_key::kEnabled, config.enabled);
    config.host = settingOr(text, mqtt_key::kHost, config.host).trimmed();
    config.tls = settingFlagOr(text, mqtt_key::kTls, config.tls);
    config.port = mqttPortOr(presentTagValue(text, mqtt_key::kPort).value_or(QString()), config.tls);
    config.caFile = settingOr(text, mqtt_key::kCaFile, config.caFile).trimmed();
    config.user = settingOr(text, mqtt_key::kUser, config.user);
    config.password = settingOr(text, mqtt_key::kPassword, config.password);
    config.topic = settingOr(text, mqtt_key::kTopic, config.topic).trimmed();
    // A trailing "/" would give topics with an empty level ("corvane//live").
    while (config.topic.endsWith(u'/'))
        config.topic.chop(1);
    if (config.topic.isEmpty())
        config.topic = QStringLiteral("corvane");
    config.discovery = settingFlagOr(text, mqtt_key::kDiscovery, config.discovery);
    config.clientId = settingOr(text, mqtt_key::kClientId, QString()).trimmed();
    if (config.clientId.isEmpty())
        config.clientId = QStringLiteral("corvane-") + hostName;
    return config;
}

int mqttPortOr(const QString& text, bool tls)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok && value > 0 && value < 65536)
        return value;
    return tls ? 8883 : 1883;
}

QString mqttConfigText(const MqttConfig& config)
{
    return settingsFileText(QStringLiteral("MQTT Settings"),
                            {{mqtt_key::kEnabled, settingsFlag(config.enabled)},
                             {mqtt_key::kHost, config.host},
                             {mqtt_key::kPort, QString::number(config.port)},
                             {mqtt_key::kTls, settingsFlag(config.tls)},
                             {mqtt_key::kCaFile, config.caFile},
                             {mqtt_key::kUser, config.user},
                             {mqtt_key::kPassword, config.password},
                             {mqtt_key::kTopic, config.topic},
                             {mqtt_key::kDiscovery, settingsFlag(config.discovery)},
                             {mqtt_key::kClientId, config.clientId}});
}

QString brokerName(const MqttConfig& config)
{
    return config.host + u':' + QString::number(config.port);
}

}  // namespace corvane
