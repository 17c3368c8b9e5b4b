#include "config/web_config.h"

#include "config/tag_value.h"
#include "dialogs/config_writer.h"
#include "text/failure.h"

#include <optional>

namespace corvane {
namespace {

// A key counts as given only when both of its tags are there, as in mqtt.cfg.
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

QString textOr(const QString& text, const QString& key, const QString& fallback)
{
    return givenValue(text, key).value_or(fallback);
}

}  // namespace

WebConfig webConfigFromText(const QString& text)
{
    WebConfig config;
    if (const std::optional<QString> enabled = givenValue(text, QStringLiteral("Enabled")))
        config.enabled = enabled->trimmed() == QStringLiteral("1");
    config.address = textOr(text, QStringLiteral("Address"), config.address).trimmed();
    if (const std::optional<QString> port = givenValue(text, QStringLiteral("Port"))) {
        bool ok = false;
        const int value = port->trimmed().toInt(&ok);
        if (ok && value > 0 && value < 65536)
            config.port = value;
    }
    config.user = textOr(text, QStringLiteral("User"), config.user);
    config.password = textOr(text, QStringLiteral("Password"), config.password);
    config.certFile = textOr(text, QStringLiteral("CertFile"), config.certFile).trimmed();
    config.keyFile = textOr(text, QStringLiteral("KeyFile"), config.keyFile).trimmed();
    return config;
}

QString webConfigText(const WebConfig& config)
{
    return QStringLiteral("Web Settings\r\n\r\n")
           + tagLine(QStringLiteral("Enabled"), config.enabled ? QStringLiteral("1") : QStringLiteral("0"))
           + tagLine(QStringLiteral("Address"), config.address)
           + tagLine(QStringLiteral("Port"), QString::number(config.port))
           + tagLine(QStringLiteral("User"), config.user) + tagLine(QStringLiteral("Password"), config.password)
           + tagLine(QStringLiteral("CertFile"), config.certFile)
           + tagLine(QStringLiteral("KeyFile"), config.keyFile);
}

QString webConfigProblem(const WebConfig& config)
{
    if (!config.user.isEmpty() && config.password.isEmpty())
        return QStringLiteral("web.cfg names a User without a Password");
    if (config.certFile.isEmpty() != config.keyFile.isEmpty())
        return QStringLiteral("web.cfg names only one of CertFile and KeyFile");
    return QString();
}

}  // namespace corvane
