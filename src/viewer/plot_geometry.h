#pragma once

#include "viewer/record_arrays.h"
#include "viewer/series.h"

#include <QPointF>
#include <QString>
#include <array>
#include <vector>

namespace corvane {

// What a draw depends on besides the records.
struct PlotRequest {
    double windowStart = 0;
    double windowEnd = 0;
    std::array<bool, kSeriesCount> shown{};
    bool scaled = true;
    double voltsFullScale = 0;
    int maxAmps = 0;
    double logDelaySeconds = 0;
    QString WSUnits;
};

// A series' vertical scale: limits in the series' units and the plot's height in them.
struct SeriesScale {
    double upper = 0;
    double lower = 0;
    double span = 0;
};

// A shown series as one line through every plotted record, in plot units: x counts
// records from the window start, y runs down from the top edge of a plot `height` high.
struct SeriesLine {
    Series series = Series::Volts;
    double height = 0;
    std::vector<QPointF> points;
};

// A horizontal line at the value 0 of amps or watts, across the whole width.
struct ZeroLine {
    double y = 0;
    double height = 0;
};

struct PlotGeometry {
    // False when the window is empty (start not below end): the plot is only cleared and
    // every label keeps its text.
    bool drawn = false;
    double width = 0;  // windowEnd - windowStart
    std::array<SeriesScale, kSeriesCount> scales{};
    std::vector<ZeroLine> zeroLines;
    std::vector<SeriesLine> lines;  // in drawing order
    QString startTime;              // the record at the window start
    QString finishTime;             // the record at the window end
    std::array<QString, kSeriesCount> upperLabels{};
    std::array<QString, kSeriesCount> lowerLabels{};
    double windowWattHours = 0;
    QString wattHoursLabel;
};

// The slot of a window position: rounded to the nearest whole number, halves to the even
// one, and kept within the slots.
int slotAt(double position);

// The unit text printed after a series' values.
QString seriesUnit(Series series, const QString& wsUnits);

// Everything a draw shows for the records between the window positions.
PlotGeometry plotGeometry(const RecordArrays& records, const PlotRequest& request);

}  // namespace corvane
