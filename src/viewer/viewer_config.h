#pragma once

#include <QString>
#include <optional>

namespace corvane {

// The values the log viewer takes from prog.cfg when it opens.
struct ViewerConfig {
    QString LogDelay;            // the logging interval in seconds, as written
    double logDelaySeconds = 0;  // the same as a number, for the watt-hours
    double voltsFullScale = 0;   // SV x 70 / 48
    int maxAmps = 0;             // MA rounded to a whole number, halves to even
    QString WSUnits;
};

// The values, or the first key (in the order LogDelay, SV, MA, WSUnits) that is missing,
// has its tags reversed, or is not a number where one is needed.
struct ViewerConfigReading {
    std::optional<ViewerConfig> config;
    QString unusableKey;
};

ViewerConfigReading readViewerConfig(const QString& progConfigText);

}  // namespace corvane
