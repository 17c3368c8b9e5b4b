#include "viewer/viewer_config.h"

#include "config/config_keys.h"
#include "config/key_policies.h"
#include "text/failure.h"
#include "text/numeric_text.h"

#include <cmath>

namespace corvane {
namespace {

// The reading rule gives some text even when the opening tag is missing; the viewer has
// no use for that text, so it asks for both tags and stops at the first key without them.
QString presentValue(const QString& text, const QString& key)
{
    const std::optional<QString> value = presentTagValue(text, key);
    if (!value)
        throw Failure(failure_text::invalidArgument);
    return *value;
}

}  // namespace

ViewerConfigReading readViewerConfig(const QString& progConfigText)
{
    ViewerConfig config;
    QString key;
    try {
        key = prog_key::kLogDelay;
        config.LogDelay = presentValue(progConfigText, key);
        config.logDelaySeconds = toNumber(config.LogDelay);
        key = prog_key::kSystemVolts;
        config.voltsFullScale = toNumber(presentValue(progConfigText, key)) * 70.0 / 48.0;
        if (!std::isfinite(config.voltsFullScale))
            throw Failure(failure_text::overflow);
        key = prog_key::kMaxAmps;
        config.maxAmps = toInteger16(presentValue(progConfigText, key));
        key = prog_key::kWindSpeedUnits;
        config.WSUnits = presentValue(progConfigText, key);
    } catch (const Failure&) {
        return {std::nullopt, key};
    }
    return {config, QString()};
}

}  // namespace corvane
