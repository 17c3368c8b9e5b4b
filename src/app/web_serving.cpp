#include "app/web_serving.h"
#include "app/window_reports.h"

#include "config/config_files.h"
#include "config/config_keys.h"
#include "config/tag_value.h"
#include "config/settings_file_form.h"
#include "config/web_config.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "text/failure.h"
#include "ui/corvane_main.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>

namespace corvane {
namespace {

QString programConfigText(const Platform& platform)
{
    try {
        return readWholeFile(platform.path(kProgramConfigFile));
    } catch (const Failure&) {
        return QString();
    }
}

QString configuredWindUnits(const QString& programConfig)
{
    try {
        return TagValue(programConfig, prog_key::kWindSpeedUnits);
    } catch (const Failure&) {
        return QString();
    }
}

}  // namespace

std::unique_ptr<WebServing> startWebServing(CorvaneMain& window, const Platform& platform)
{
    const QString path = platform.path(kWebConfigFile);
    WebConfig config;
    try {
        config = webConfigFromText(readWholeFile(path));
    } catch (const Failure&) {
        return nullptr;
    }
    if (!config.enabled)
        return nullptr;
    if (const QString problem = webConfigProblem(config); !problem.isEmpty()) {
        window.LogOutsideEvent(QStringLiteral("Web page not started"), problem);
        return nullptr;
    }
    if (const auto exposed = exposedPassword(kWebConfigFile, path, !config.password.isEmpty()))
        window.LogOutsideEvent(exposed->message, exposed->remedy);

    const QString programConfig = programConfigText(platform);
    WebSiteSettings site;
    site.programFolder = QFileInfo(platform.path(kProgramConfigFile)).absolutePath();
    site.user = config.user;
    site.password = config.password;
    site.tls = config.tls();
    site.pageSettingsJson = pageSettingsJson(programConfig);
    site.version = QStringLiteral(CORVANE_VERSION);

    auto serving = std::make_unique<WebServing>();
    serving->server = std::make_unique<WebServer>(config, site, configuredWindUnits(programConfig),
                                                  windowErrorLog(window),
                                                  windowStatusLine(window, QStringLiteral("webStatus")));
    serving->subscription = window.subscribe(*serving->server);
    serving->server->start();
    return serving;
}

}  // namespace corvane
