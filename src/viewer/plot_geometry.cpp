#include "viewer/plot_geometry.h"

#include "text/number_format.h"
#include "text/rounding.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

constexpr double kSecondsPerHour = 3600;

const std::vector<double>& valuesOf(const RecordArrays& records, Series series)
{
    switch (series) {
    case Series::Volts: return records.recVolts;
    case Series::Amps: return records.recAmps;
    case Series::Watts: return records.recWatts;
    case Series::Rpm: return records.recRpm;
    case Series::Speed: break;
    }
    return records.recSpeed;
}

double fullScaleOf(Series series, const PlotRequest& request)
{
    if (series == Series::Volts)
        return request.voltsFullScale;
    if (series == Series::Amps)
        return request.maxAmps;
    return kSeriesStyles[indexOf(series)].fixedFullScale;
}

// The slots of the window positions windowStart, windowStart + 1, ... up to windowEnd
// (never more positions than there are slots).
std::vector<int> slotsInWindow(double windowStart, double windowEnd)
{
    constexpr int kMostSteps = RecordArrays::kLastSlot;
    int steps = static_cast<int>(std::min(std::floor(windowEnd - windowStart), double(kMostSteps)));
    while (steps > 0 && windowStart + steps > windowEnd)
        --steps;
    while (steps < kMostSteps && windowStart + steps + 1 <= windowEnd)
        ++steps;
    std::vector<int> windowSlots(steps + 1);
    for (int n = 0; n <= steps; ++n)
        windowSlots[n] = slotAt(windowStart + n);
    return windowSlots;
}

// Scaled: fixed limits. Unscaled: limits widened from 0 and the full scale to take in
// every record of the window, shown or not.
std::array<SeriesScale, kSeriesCount> scalesFor(const RecordArrays& records, const PlotRequest& request,
                                                const std::vector<int>& windowSlots)
{
    std::array<SeriesScale, kSeriesCount> scales{};
    for (Series series : kAllSeries) {
        SeriesScale& scale = scales[indexOf(series)];
        const double fullScale = fullScaleOf(series, request);
        if (request.scaled) {
            scale.upper = fullScale;
            scale.lower = 0;
            continue;
        }
        scale.upper = 0;
        scale.lower = fullScale;
        const std::vector<double>& values = valuesOf(records, series);
        for (int slot : windowSlots) {
            const double v = values[slot];
            if (v > scale.upper)
                scale.upper = v;
            if (v < scale.lower)
                scale.lower = v;
        }
    }
    for (SeriesScale& scale : scales) {
        const double d = scale.upper - scale.lower;
        scale.span = d > 0 ? d + d / 20 : 2;
    }
    return scales;
}

// The top and bottom limits sit d / 40 inside the edges; coinciding limits give a flat
// line at mid-height of a plot 2 units high.
double plotY(const SeriesScale& scale, double value)
{
    const double d = scale.upper - scale.lower;
    return d > 0 ? scale.upper - value + d / 40 : 1;
}

void addZeroLine(PlotGeometry& geometry, const SeriesScale& scale)
{
    if (scale.upper > 0 && scale.lower < 0)
        geometry.zeroLines.push_back({scale.upper + (scale.upper - scale.lower) / 40, scale.span});
}

}  // namespace

int slotAt(double position)
{
    // Positions are mostly whole; only the others need rounding.
    const double rounded = position == std::floor(position) ? position : roundHalfEven(position);
    if (!(rounded >= 0))
        return 0;
    return static_cast<int>(std::min(rounded, static_cast<double>(RecordArrays::kLastSlot)));
}

QString seriesUnit(Series series, const QString& wsUnits)
{
    const QString unit = QString::fromUtf16(kSeriesStyles[indexOf(series)].unit);
    return series == Series::Speed ? unit + wsUnits : unit;
}

PlotGeometry plotGeometry(const RecordArrays& records, const PlotRequest& request)
{
    PlotGeometry geometry;
    if (!(request.windowStart < request.windowEnd))
        return geometry;
    geometry.drawn = true;

    const std::vector<int> windowSlots = slotsInWindow(request.windowStart, request.windowEnd);
    geometry.scales = scalesFor(records, request, windowSlots);

    geometry.startTime = timeOfDayText(records.recTime[slotAt(request.windowStart)]);
    geometry.finishTime = timeOfDayText(records.recTime[slotAt(request.windowEnd)]);
    for (Series series : kAllSeries) {
        const SeriesScale& scale = geometry.scales[indexOf(series)];
        const QStringView pattern(kSeriesStyles[indexOf(series)].limitPattern);
        const QString unit = seriesUnit(series, request.WSUnits);
        geometry.upperLabels[indexOf(series)] = formatPattern(scale.upper, pattern) + unit;
        geometry.lowerLabels[indexOf(series)] = formatPattern(scale.lower, pattern) + unit;
    }

    geometry.width = request.windowEnd - request.windowStart;
    addZeroLine(geometry, geometry.scales[indexOf(Series::Amps)]);
    addZeroLine(geometry, geometry.scales[indexOf(Series::Watts)]);

    const int steps = static_cast<int>(windowSlots.size()) - 1;
    if (steps > 0) {
        for (Series series : kAllSeries) {
            if (!request.shown[indexOf(series)])
                continue;
            const SeriesScale& scale = geometry.scales[indexOf(series)];
            const std::vector<double>& values = valuesOf(records, series);
            SeriesLine line{series, scale.span, {}};
            line.points.reserve(windowSlots.size());
            for (int n = 0; n <= steps; ++n)
                line.points.emplace_back(n, plotY(scale, values[windowSlots[n]]));
            geometry.lines.push_back(std::move(line));
        }
    }

    // Every record after the first adds its energy over one logging interval.
    for (int n = 1; n <= steps; ++n)
        geometry.windowWattHours += records.recWatts[windowSlots[n]] * request.logDelaySeconds / kSecondsPerHour;
    geometry.wattHoursLabel = formatPattern(geometry.windowWattHours, u"###0") + QStringLiteral(" Wh");
    return geometry;
}

}  // namespace corvane
