#pragma once

namespace corvane {

// The five per-frame values of one logging interval: their sums while the interval runs,
// their means once it ends.
struct IntervalValues {
    double volts = 0;
    double amps = 0;
    double watts = 0;
    double rpm = 0;
    double windSpeed = 0;
};

// Each sum divided by the number of frames; sampleCount must be above 0.
IntervalValues intervalMeans(const IntervalValues& sums, int sampleCount);

}  // namespace corvane
