#include "history/bar_chart_geometry.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {
constexpr double kBarShare = 0.72;  // of the slot; the rest is the gap between bars
constexpr int kGridLines = 4;
}  // namespace

double roundScaleMax(double value)
{
    if (!(value > 0) || !std::isfinite(value))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (step * power >= value * (1 - 1e-12))
            return step * power;
    }
    return 10 * power;
}

double barHeight(const BarChartGeometry& geometry, double value)
{
    return std::clamp(value, 0.0, geometry.scaleMax) / geometry.scaleMax * geometry.plotArea.height();
}

BarChartGeometry barChartGeometry(const std::vector<std::optional<double>>& values, const QRectF& plotArea)
{
    BarChartGeometry geometry;
    geometry.plotArea = plotArea;
    double largest = 0;
    for (const std::optional<double>& value : values)
        largest = std::max(largest, value.value_or(0));
    geometry.scaleMax = roundScaleMax(largest);
    for (int line = 1; line <= kGridLines; ++line)
        geometry.gridValues.push_back(geometry.scaleMax * line / kGridLines);
    if (values.empty())
        return geometry;

    geometry.slotWidth = plotArea.width() / static_cast<double>(values.size());
    const double barWidth = geometry.slotWidth * kBarShare;
    for (std::size_t slot = 0; slot < values.size(); ++slot) {
        if (!values[slot]) {
            geometry.bars.emplace_back();
            continue;
        }
        const double height = barHeight(geometry, *values[slot]);
        const double left = plotArea.left() + geometry.slotWidth * static_cast<double>(slot)
                            + (geometry.slotWidth - barWidth) / 2;
        geometry.bars.emplace_back(QRectF(left, plotArea.bottom() - height, barWidth, height));
    }
    return geometry;
}

std::optional<int> slotAt(const BarChartGeometry& geometry, const QPointF& point)
{
    const QRectF& area = geometry.plotArea;
    if (geometry.bars.empty() || point.x() < area.left() || point.x() >= area.right() || point.y() < area.top()
        || point.y() > area.bottom())
        return std::nullopt;
    const int slot = static_cast<int>((point.x() - area.left()) / geometry.slotWidth);
    return std::min(slot, static_cast<int>(geometry.bars.size()) - 1);
}

}  // namespace corvane
