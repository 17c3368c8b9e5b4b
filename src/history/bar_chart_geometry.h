#pragma once

#include <QPointF>
#include <QRectF>
#include <optional>
#include <vector>

namespace corvane {

// Where the bars of a chart stand inside its plot area: one slot per value, side by side,
// a bar per value that is there, its height the value's share of a round scale maximum.
struct BarChartGeometry {
    QRectF plotArea;
    double scaleMax = 1;
    // The values of the horizontal grid lines, from the lowest above 0 to scaleMax.
    std::vector<double> gridValues;
    std::vector<std::optional<QRectF>> bars;
    double slotWidth = 0;
};

BarChartGeometry barChartGeometry(const std::vector<std::optional<double>>& values, const QRectF& plotArea);

// The smallest of 1, 2, 2.5 and 5 times a power of ten that is not below `value`; 1 for
// a value of 0 or less.
double roundScaleMax(double value);

// The slot under a point of the chart (anywhere in its column), or nothing.
std::optional<int> slotAt(const BarChartGeometry& geometry, const QPointF& point);

// The height in the plot area that a value takes.
double barHeight(const BarChartGeometry& geometry, double value);

}  // namespace corvane
