#include "config/web_config.h"

#include "config/config_keys.h"
#include "config/key_policies.h"
#include "config/settings_file_form.h"

namespace corvane {

WebConfig webConfigFromText(const QString& text)
{
    WebConfig config;
    config.enabled = settingFlagOr(text, web_key::kEnabled, config.enabled);
    config.address = settingOr(text, web_key::kAddress, config.address).trimmed();
    bool ok = false;
    const int port = presentTagValue(text, web_key::kPort).value_or(QString()).trimmed().toInt(&ok);
    if (ok && port > 0 && port < 65536)
        config.port = port;
    config.user = settingOr(text, web_key::kUser, config.user);
    config.password = settingOr(text, web_key::kPassword, config.password);
    config.certFile = settingOr(text, web_key::kCertFile, config.certFile).trimmed();
    config.keyFile = settingOr(text, web_key::kKeyFile, config.keyFile).trimmed();
    return config;
}

QString webConfigText(const WebConfig& config)
{
    return settingsFileText(QStringLiteral("Web Settings"),
                            {{web_key::kEnabled, settingsFlag(config.enabled)},
                             {web_key::kAddress, config.address},
                             {web_key::kPort, QString::number(config.port)},
                             {web_key::kUser, config.user},
                             {web_key::kPassword, config.password},
                             {web_key::kCertFile, config.certFile},
                             {web_key::kKeyFile, config.keyFile}});
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
