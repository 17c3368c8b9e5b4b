#include "logging/interval_values.h"

#include "text/failure.h"

#include <cmath>

namespace corvane {

IntervalValues sumsWithFrame(const IntervalValues& sums, const IntervalValues& frame)
{
    const IntervalValues added{sums.volts + frame.volts, sums.amps + frame.amps, sums.watts + frame.watts,
                               sums.rpm + frame.rpm, sums.windSpeed + frame.windSpeed};
    for (double sum : {added.volts, added.amps, added.watts, added.rpm, added.windSpeed}) {
        if (!std::isfinite(sum))
            throw Failure(failure_text::overflow);
    }
    return added;
}

IntervalValues intervalMeans(const IntervalValues& sums, int sampleCount)
{
    const double n = sampleCount;
    return {sums.volts / n, sums.amps / n, sums.watts / n, sums.rpm / n, sums.windSpeed / n};
}

}  // namespace corvane
