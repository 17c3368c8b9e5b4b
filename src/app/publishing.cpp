#include "app/publishing.h"
#include "app/window_reports.h"

#include "config/config_files.h"
#include "config/config_keys.h"
#include "config/settings_file_form.h"
#include "config/tag_value.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "text/failure.h"
#include "ui/corvane_main.h"

#include <QLabel>
#include <QSysInfo>

namespace corvane {
namespace {

// The wind-speed unit for the discovery configs until the first frame names it.
QString configuredWindUnits(const Platform& platform)
{
    try {
        return TagValue(readWholeFile(platform.path(kProgramConfigFile)), prog_key::kWindSpeedUnits);
    } catch (const Failure&) {
        return QString();
    }
}

}  // namespace

std::unique_ptr<Publishing> startPublishing(CorvaneMain& window, const Platform& platform)
{
    const QString path = platform.path(kMqttConfigFile);
    MqttConfig config;
    try {
        config = mqttConfigFromText(readWholeFile(path), QSysInfo::machineHostName());
    } catch (const Failure&) {
        return nullptr;
    }
    if (!config.enabled)
        return nullptr;

    auto publishing = std::make_unique<Publishing>();
    publishing->publisher =
        std::make_unique<Publisher>(config, configuredWindUnits(platform), windowErrorLog(window),
                                    windowStatusLine(window, QStringLiteral("mqttStatus")));
    publishing->subscription = window.subscribe(*publishing->publisher);

    if (const std::optional<ExposedPassword> exposed =
            exposedPassword(kMqttConfigFile, path, !config.password.isEmpty()))
        window.LogOutsideEvent(exposed->message, exposed->remedy);
    publishing->publisher->start();
    return publishing;
}

}  // namespace corvane
