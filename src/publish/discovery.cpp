#include "publish/discovery.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace corvane {
namespace {

struct Sensor {
    const char* key;
    const char* name;
    const char* deviceClass;  // empty: none
    const char* unit;
    const char* stateClass;
};

// Built as a JSON object: no figure in it has to repeat a record line's digits.
QString sensorConfig(const MqttConfig& config, const Sensor& sensor, const QString& deviceClass,
                     const QString& unit)
{
    const QString node = discoveryNodeId(config.clientId);
    const QString key = QString::fromLatin1(sensor.key);
    QJsonObject object{
        {QStringLiteral("name"), QString::fromLatin1(sensor.name)},
        {QStringLiteral("unique_id"), node + u'_' + key},
        {QStringLiteral("object_id"), QStringLiteral("corvane_") + key},
        {QStringLiteral("state_topic"), liveTopic(config)},
        {QStringLiteral("value_template"), QStringLiteral("{{ value_json.") + key + QStringLiteral(" }}")},
        {QStringLiteral("state_class"), QString::fromLatin1(sensor.stateClass)},
    };
    if (!unit.isEmpty())
        object.insert(QStringLiteral("unit_of_measurement"), unit);
    if (!deviceClass.isEmpty())
        object.insert(QStringLiteral("device_class"), deviceClass);
    addDeviceAndAvailability(object, config);
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

}  // namespace

void addDeviceAndAvailability(QJsonObject& entity, const MqttConfig& config)
{
    entity.insert(QStringLiteral("availability_topic"), statusTopic(config));
    entity.insert(QStringLiteral("payload_available"), QStringLiteral("online"));
    entity.insert(QStringLiteral("payload_not_available"), QStringLiteral("offline"));
    entity.insert(QStringLiteral("device"),
                  QJsonObject{{QStringLiteral("identifiers"), QJsonArray{discoveryNodeId(config.clientId)}},
                              {QStringLiteral("name"), QStringLiteral("Corvane")},
                              {QStringLiteral("model"), QStringLiteral("Wind power logger")}});
}

QString discoveryNodeId(const QString& clientId)
{
    static const QRegularExpression other(QStringLiteral("[^A-Za-z0-9_-]"));
    return QString(clientId).replace(other, QStringLiteral("_"));
}

QString statusTopic(const MqttConfig& config) { return config.topic + QStringLiteral("/status"); }
QString liveTopic(const MqttConfig& config) { return config.topic + QStringLiteral("/live"); }
QString recordTopic(const MqttConfig& config) { return config.topic + QStringLiteral("/record"); }
QString errorTopic(const MqttConfig& config) { return config.topic + QStringLiteral("/error"); }

QString knownWindSpeedUnit(const QString& windUnits)
{
    const QString unit = windUnits.trimmed().toLower();
    if (unit == u"km/h" || unit == u"kmh" || unit == u"kph" || unit == u"kmph")
        return QStringLiteral("km/h");
    if (unit == u"m/s" || unit == u"mps")
        return QStringLiteral("m/s");
    if (unit == u"mph")
        return QStringLiteral("mph");
    if (unit == u"kn" || unit == u"kt" || unit == u"kts" || unit == u"knots")
        return QStringLiteral("kn");
    if (unit == u"ft/s")
        return QStringLiteral("ft/s");
    return QString();
}

QList<TopicMessage> discoveryConfigs(const MqttConfig& config, const QString& windUnits)
{
    static const Sensor sensors[] = {
        {"volts", "Volts", "voltage", "V", "measurement"},
        {"amps", "Amps", "current", "A", "measurement"},
        {"watts", "Watts", "power", "W", "measurement"},
        // The total starts again at 0 each day, which this state class allows.
        {"watt_hours", "Watt-hours", "energy", "Wh", "total_increasing"},
        {"rpm", "RPM", "", "rpm", "measurement"},
        {"wind_speed", "Wind speed", "wind_speed", "", "measurement"},
    };
    const QString known = knownWindSpeedUnit(windUnits);
    QList<TopicMessage> configs;
    for (const Sensor& sensor : sensors) {
        QString deviceClass = QString::fromLatin1(sensor.deviceClass);
        QString unit = QString::fromLatin1(sensor.unit);
        if (qstrcmp(sensor.key, "wind_speed") == 0) {
            unit = known.isEmpty() ? windUnits.trimmed() : known;
            if (known.isEmpty())
                deviceClass.clear();
        }
        configs.append({QStringLiteral("homeassistant/sensor/") + discoveryNodeId(config.clientId) + u'/'
                            + QLatin1StringView(sensor.key) + QStringLiteral("/config"),
                        sensorConfig(config, sensor, deviceClass, unit)});
    }
    return configs;
}

}  // namespace corvane
