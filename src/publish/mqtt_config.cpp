#include "publish/mqtt_config.h"

#include "config/tag_value.h"
#include "dialogs/config_writer.h"
#include "text/failure.h"

#include <optional>

namespace corvane {
namespace {

// A key counts as given only when both of its tags are there; otherwise its default holds.
std::optional<QString> givenValue(const QString& text, const QString& key)
{
    const QString open = u'<' + key + u'>';
    const QString close = QStringLiteral("</") + key + u'>';
    if (!text.contains(open) || !text.contains(close))
        return std::nullopt;
    try {
        return TagValue(text, key);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

bool flagOr(const QString& text, const QString& key, bool fallback)
{
    const std::optional<QString> value = givenValue(text, key);
    return value ? value->trimmed() == QStringLiteral("1") : fallback;
}

QString textOr(const QString& text, const QString& key, const QString& fallback)
{
    return givenValue(text, key).value_or(fallback);
}

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

}  // namespace

MqttConfig mqttConfigFromText(const QString& text, const QString& hostName)
{
    MqttConfig config;
    config.enabled = flagOr(text, QStringLiteral("Enabled"), config.enabled);
    config.host = textOr(text, QStringLiteral("Host"), config.host).trimmed();
    config.tls = flagOr(text, QStringLiteral("TLS"), config.tls);
    config.port = config.tls ? 8883 : 1883;
    if (const std::optional<QString> port = givenValue(text, QStringLiteral("Port"))) {
        bool ok = false;
        const int value = port->trimmed().toInt(&ok);
        if (ok && value > 0 && value < 65536)
            config.port = value;
    }
    config.caFile = textOr(text, QStringLiteral("CAFile"), config.caFile).trimmed();
    config.user = textOr(text, QStringLiteral("User"), config.user);
    config.password = textOr(text, QStringLiteral("Password"), config.password);
    config.topic = textOr(text, QStringLiteral("Topic"), config.topic).trimmed();
    // A trailing "/" would give topics with an empty level ("corvane//live").
    while (config.topic.endsWith(u'/'))
        config.topic.chop(1);
    if (config.topic.isEmpty())
        config.topic = QStringLiteral("corvane");
    config.discovery = flagOr(text, QStringLiteral("Discovery"), config.discovery);
    config.clientId = textOr(text, QStringLiteral("ClientId"), QString()).trimmed();
    if (config.clientId.isEmpty())
        config.clientId = QStringLiteral("corvane-") + hostName;
    return config;
}

QString mqttConfigText(const MqttConfig& config)
{
    return QStringLiteral("MQTT Settings\r\n\r\n") + tagLine(QStringLiteral("Enabled"), flagText(config.enabled))
           + tagLine(QStringLiteral("Host"), config.host)
           + tagLine(QStringLiteral("Port"), QString::number(config.port))
           + tagLine(QStringLiteral("TLS"), flagText(config.tls)) + tagLine(QStringLiteral("CAFile"), config.caFile)
           + tagLine(QStringLiteral("User"), config.user) + tagLine(QStringLiteral("Password"), config.password)
           + tagLine(QStringLiteral("Topic"), config.topic)
           + tagLine(QStringLiteral("Discovery"), flagText(config.discovery))
           + tagLine(QStringLiteral("ClientId"), config.clientId);
}

QString brokerName(const MqttConfig& config)
{
    return config.host + u':' + QString::number(config.port);
}

}  // namespace corvane
