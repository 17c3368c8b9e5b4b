#include "publish/alert_messages.h"

#include "publish/json_texts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace corvane {
namespace {

struct KnownAlert {
    const char* key;
    const char* name;
    const char* deviceClass;
};

// Home Assistant's battery class reads "on" as low; the others are problems when on.
constexpr KnownAlert kKnownAlerts[] = {
    {"battery_low", "Battery low", "battery"},
    {"battery_high", "Battery high", "problem"},
    {"no_data", "No data", "problem"},
};

}  // namespace

QStringList knownAlertKeys()
{
    QStringList keys;
    for (const KnownAlert& known : kKnownAlerts)
        keys << QString::fromLatin1(known.key);
    return keys;
}

QString alertTopic(const MqttConfig& config, const QString& key)
{
    return config.topic + QStringLiteral("/alert/") + key;
}

QByteArray alertStateJson(const AlertChange& change)
{
    QJsonObject state{
        {QStringLiteral("state"), change.raised ? QStringLiteral("raised") : QStringLiteral("cleared")},
        {QStringLiteral("since"), isoLocalTime(change.since)},
        {QStringLiteral("message"), change.message},
    };
    state.insert(QStringLiteral("volts"), change.volts && std::isfinite(*change.volts)
                                              ? QJsonValue(std::round(*change.volts * 100) / 100)
                                              : QJsonValue(QJsonValue::Null));
    return QJsonDocument(state).toJson(QJsonDocument::Compact);
}

TopicMessage alertDiscoveryConfig(const MqttConfig& config, const QString& key)
{
    QString name = key;
    QString deviceClass = QStringLiteral("problem");
    for (const KnownAlert& known : kKnownAlerts)
        if (key == QLatin1StringView(known.key)) {
            name = QString::fromLatin1(known.name);
            deviceClass = QString::fromLatin1(known.deviceClass);
        }
    const QString node = discoveryNodeId(config.clientId);
    const QString topic = alertTopic(config, key);
    QJsonObject sensor{
        {QStringLiteral("name"), name},
        {QStringLiteral("unique_id"), node + QStringLiteral("_alert_") + key},
        {QStringLiteral("object_id"), QStringLiteral("corvane_alert_") + key},
        {QStringLiteral("state_topic"), topic},
        {QStringLiteral("value_template"), QStringLiteral("{{ value_json.state }}")},
        {QStringLiteral("payload_on"), QStringLiteral("raised")},
        {QStringLiteral("payload_off"), QStringLiteral("cleared")},
        {QStringLiteral("json_attributes_topic"), topic},
        {QStringLiteral("device_class"), deviceClass},
    };
    addDeviceAndAvailability(sensor, config);
    return {QStringLiteral("homeassistant/binary_sensor/") + node + u'/' + key + QStringLiteral("/config"),
            QString::fromUtf8(QJsonDocument(sensor).toJson(QJsonDocument::Compact))};
}

}  // namespace corvane
