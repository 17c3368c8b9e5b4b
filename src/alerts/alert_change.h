#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace corvane {

// One alert raised or cleared; every destination carries the same message text.
struct AlertChange {
    QString key;                  // "battery_low", "battery_high", "no_data", "test"
    bool raised = false;
    QDateTime since;              // wall-clock time of the change
    QString message;              // e.g. "battery at 11.62 V, below 11.80 V for 60 s"
    std::optional<double> volts;  // empty for no_data
};

}  // namespace corvane
