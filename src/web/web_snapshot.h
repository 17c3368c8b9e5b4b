#pragma once

#include "logging/window_events.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace corvane {

// What the window has announced so far, as the page and the metrics show it. Copied as a
// whole under a lock, so a response never sees half of a frame.
struct WebSnapshot {
    std::optional<AcceptedFrame> frame;  // the latest accepted frame
    QString windUnits;                   // WSUnits until a frame names them
    std::uint64_t framesAccepted = 0;
    std::uint64_t framesRejected = 0;
    std::uint64_t errorEntries = 0;
    std::uint64_t records = 0;
    bool logging = false;
};

// The live message of MQTT, digit for digit, with "logging" added; before the first frame
// the time and every measured value are null.
QString liveText(const WebSnapshot& snapshot);

// The Prometheus text format 0.0.4 of the snapshot: every family with its HELP and TYPE,
// no timestamps, the value gauges absent before the first frame.
QByteArray metricsText(const WebSnapshot& snapshot, const QString& version);

}  // namespace corvane
