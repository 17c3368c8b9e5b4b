#include "viewer/viewer_config.h"

#include "config/tag_value.h"
#include "text/failure.h"
#include "text/numeric_text.h"

#include <cmath>

namespace corvane {
namespace {

const QString kLogDelayKey = QStringLiteral("LogDelay");
const QString kSvKey = QStringLiteral("SV");
const QString kMaKey = QStringLiteral("MA");
const QString kWsUnitsKey = QStringLiteral("WSUnits");

// The reading rule gives some text even when the opening tag is missing; the viewer has
// no use for that text, so it asks for both tags.
QString presentValue(const QString& text, const QString& key)
{
    if (!text.contains(u'<' + key + u'>'))
        throw Failure(failure_text::invalidArgument);
    return TagValue(text, key);
}

}  // namespace

ViewerConfigReading readViewerConfig(const QString& progConfigText)
{
    ViewerConfig config;
    QString key;
    try {
        key = kLogDelayKey;
        config.LogDelay = presentValue(progConfigText, key);
        config.logDelaySeconds = toNumber(config.LogDelay);
        key = kSvKey;
        config.voltsFullScale = toNumber(presentValue(progConfigText, key)) * 70.0 / 48.0;
        if (!std::isfinite(config.voltsFullScale))
            throw Failure(failure_text::overflow);
        key = kMaKey;
        config.maxAmps = toInteger16(presentValue(progConfigText, key));
        key = kWsUnitsKey;
        config.WSUnits = presentValue(progConfigText, key);
    } catch (const Failure&) {
        return {std::nullopt, key};
    }
    return {config, QString()};
}

}  // namespace corvane
