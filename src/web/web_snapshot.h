#pragma once

#include "alerts/alert_change.h"
#include "logging/window_events.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

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
    std::vector<AlertChange> alerts;     // every alert that is on, in the monitor's order
};

// Puts a raise or clear in the snapshot's list: in place of the alert's earlier state, or
// after the others when the alert is new to it.
void recordAlert(WebSnapshot& snapshot, const AlertChange& change);

// The live message of MQTT, digit for digit, with "logging" added; before the first frame
// the time and every measured value are null.
QString liveText(const WebSnapshot& snapshot);

// The body of /api/alerts: one object per alert that is on, {"alert", "state", "since",
// "message", "volts"}; "since" and "message" are null until the alert first changes.
QByteArray alertsJson(const WebSnapshot& snapshot);

// The Prometheus text format 0.0.4 of the snapshot: every family with its HELP and TYPE,
// no timestamps, the value gauges absent before the first frame and the alert gauge absent
// while no alert is on.
QByteArray metricsText(const WebSnapshot& snapshot, const QString& version);

}  // namespace corvane
