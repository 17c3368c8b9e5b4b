#include "logging/interval_values.h"

namespace corvane {

IntervalValues intervalMeans(const IntervalValues& sums, int sampleCount)
{
    const double n = sampleCount;
    return {sums.volts / n, sums.amps / n, sums.watts / n, sums.rpm / n, sums.windSpeed / n};
}

}  // namespace corvane
