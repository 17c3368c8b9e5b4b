#pragma once

#include "alerts/alert_change.h"

namespace corvane {

// Where raised and cleared alerts go: the alert log, the desktop, the command, the broker.
class AlertSink {
public:
    virtual ~AlertSink() = default;
    virtual void alertChanged(const AlertChange& change) = 0;
};

}  // namespace corvane
