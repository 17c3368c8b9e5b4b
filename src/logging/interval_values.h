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

// The sums with one frame's values added; fails with "Overflow", leaving the caller's sums
// as they were, when a sum would grow too large for a double.
IntervalValues sumsWithFrame(const IntervalValues& sums, const IntervalValues& frame);

// Each sum divided by the number of frames; sampleCount must be above 0.
IntervalValues intervalMeans(const IntervalValues& sums, int sampleCount);

}  // namespace corvane
