#include "viewer/plot_geometry.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

class PlotGeometryTest : public ::testing::Test {
protected:
    PlotGeometryTest()
    {
        request.shown = {true, true, true, true, false};
        request.voltsFullScale = 35;  // SV 24
        request.maxAmps = 20;
        request.logDelaySeconds = 60;
        request.WSUnits = QStringLiteral("km/h");
    }

    // Loads one record per value; every series but `series` holds 0.
    void fill(std::initializer_list<double> values, std::vector<double> RecordArrays::*series)
    {
        int slot = 0;
        for (double value : values) {
            ++slot;
            (records.*series)[slot] = value;
            records.recTime[slot] = (600 + slot) * 60;  // 10:01, 10:02, ...
        }
        records.recordCount = slot;
        request.windowStart = 1;
        request.windowEnd = slot;
    }

    const SeriesLine* line(Series series) const
    {
        for (const SeriesLine& l : geometry.lines)
            if (l.series == series)
                return &l;
        return nullptr;
    }

    RecordArrays records;
    PlotRequest request;
    PlotGeometry geometry;
};

TEST_F(PlotGeometryTest, ScaledLimitsAreTheFullScalesWhateverTheDataHold)
{
    fill({50, 60, 70}, &RecordArrays::recVolts);
    request.scaled = true;
    geometry = plotGeometry(records, request);
    EXPECT_EQ(geometry.upperLabels[indexOf(Series::Volts)], u"35.00 V");
    EXPECT_EQ(geometry.lowerLabels[indexOf(Series::Volts)], u"0.00 V");
    EXPECT_EQ(geometry.upperLabels[indexOf(Series::Amps)], u"20.0 A");
    EXPECT_EQ(geometry.upperLabels[indexOf(Series::Watts)], u"1000 W");
    EXPECT_EQ(geometry.upperLabels[indexOf(Series::Rpm)], u"400 RPM");
    EXPECT_EQ(geometry.upperLabels[indexOf(Series::Speed)], u"100 km/h");
    EXPECT_EQ(geometry.lowerLabels[indexOf(Series::Speed)], u"0 km/h");

    // 35 V high plus 2.5 % at each edge; 17.5 V sits at 35 - 17.5 + 35 / 40.
    const SeriesScale& volts = geometry.scales[indexOf(Series::Volts)];
    EXPECT_DOUBLE_EQ(volts.span, 36.75);
    records.recVolts[2] = 17.5;
    geometry = plotGeometry(records, request);
    EXPECT_DOUBLE_EQ(line(Series::Volts)->points[1].y(), 18.375);
    EXPECT_DOUBLE_EQ(line(Series::Volts)->height, 36.75);
}

TEST_F(PlotGeometryTest, UnscaledCoincidingLimitsGiveAFlatLineAtMidHeight)
{
    request.voltsFullScale = 17.5;  // SV 12
    request.scaled = false;
    fill({13.1, 13.1, 13.1}, &RecordArrays::recVolts);
    geometry = plotGeometry(records, request);
    const SeriesScale& volts = geometry.scales[indexOf(Series::Volts)];
    EXPECT_DOUBLE_EQ(volts.upper, 13.1);
    EXPECT_DOUBLE_EQ(volts.lower, 13.1);
    EXPECT_DOUBLE_EQ(volts.span, 2);
    const SeriesLine* voltsLine = line(Series::Volts);
    ASSERT_NE(voltsLine, nullptr);
    EXPECT_DOUBLE_EQ(voltsLine->height, 2);
    for (const QPointF& point : voltsLine->points)
        EXPECT_DOUBLE_EQ(point.y(), 1);
}

TEST_F(PlotGeometryTest, UnscaledLimitsWidenFromZeroAndTheFullScale)
{
    request.scaled = false;
    fill({25, 27, 30}, &RecordArrays::recAmps);
    geometry = plotGeometry(records, request);
    EXPECT_EQ(geometry.upperLabels[indexOf(Series::Amps)], u"30.0 A");
    EXPECT_EQ(geometry.lowerLabels[indexOf(Series::Amps)], u"20.0 A");
    // Hidden series are scanned too; all-zero watts keep 0 and the full scale.
    EXPECT_EQ(geometry.upperLabels[indexOf(Series::Watts)], u"0 W");
    EXPECT_EQ(geometry.lowerLabels[indexOf(Series::Watts)], u"0 W");
    EXPECT_EQ(geometry.upperLabels[indexOf(Series::Speed)], u"0 km/h");
    EXPECT_EQ(geometry.lowerLabels[indexOf(Series::Speed)], u"0 km/h");
    EXPECT_EQ(geometry.lowerLabels[indexOf(Series::Rpm)], u"0 RPM");
    EXPECT_TRUE(geometry.zeroLines.empty());
}

TEST_F(PlotGeometryTest, ZeroLineCrossesAPlotWhoseLimitsStraddleZero)
{
    request.scaled = false;
    fill({-5, 0, 15}, &RecordArrays::recAmps);
    geometry = plotGeometry(records, request);
    const SeriesScale& amps = geometry.scales[indexOf(Series::Amps)];
    EXPECT_DOUBLE_EQ(amps.span, 21);
    ASSERT_EQ(geometry.zeroLines.size(), 1u);
    EXPECT_DOUBLE_EQ(geometry.zeroLines[0].y, 15.5);
    EXPECT_DOUBLE_EQ(geometry.zeroLines[0].height, 21);
    const SeriesLine* ampsLine = line(Series::Amps);
    ASSERT_NE(ampsLine, nullptr);
    EXPECT_DOUBLE_EQ(ampsLine->points[0].y(), 15 + 5 + 0.5);
    EXPECT_DOUBLE_EQ(ampsLine->points[2].y(), 0.5);

    // The zero line is drawn for amps even when amps are hidden, and for watts as well.
    request.shown[indexOf(Series::Amps)] = false;
    records.recWatts[1] = -10;
    records.recWatts[2] = 30;
    geometry = plotGeometry(records, request);
    EXPECT_EQ(line(Series::Amps), nullptr);
    ASSERT_EQ(geometry.zeroLines.size(), 2u);
    EXPECT_DOUBLE_EQ(geometry.zeroLines[1].y, 30 + 40 / 40.0);
    EXPECT_DOUBLE_EQ(geometry.zeroLines[1].height, 42);
}

TEST_F(PlotGeometryTest, WattHoursCountEveryRecordAfterTheFirstOverOneLoggingInterval)
{
    fill({100, 200, 300}, &RecordArrays::recWatts);
    geometry = plotGeometry(records, request);
    EXPECT_DOUBLE_EQ(geometry.windowWattHours, 500.0 * 60 / 3600);
    EXPECT_EQ(geometry.wattHoursLabel, u"8 Wh");

    request.logDelaySeconds = 30;
    request.shown = {};
    geometry = plotGeometry(records, request);
    EXPECT_EQ(geometry.wattHoursLabel, u"4 Wh") << "counted whether watts are shown or not";
    EXPECT_TRUE(geometry.lines.empty());
}

TEST_F(PlotGeometryTest, DrawsNothingWhenTheWindowIsEmpty)
{
    fill({100}, &RecordArrays::recWatts);
    geometry = plotGeometry(records, request);
    EXPECT_FALSE(geometry.drawn);
    EXPECT_TRUE(geometry.lines.empty());
    EXPECT_TRUE(geometry.startTime.isEmpty());
    EXPECT_TRUE(geometry.wattHoursLabel.isEmpty());
}

TEST_F(PlotGeometryTest, ShownSeriesRunThroughEveryRecordOfTheWindowInDrawingOrder)
{
    fill({11, 12, 13, 14}, &RecordArrays::recVolts);
    request.shown = {true, false, true, false, true};
    geometry = plotGeometry(records, request);
    EXPECT_DOUBLE_EQ(geometry.width, 3);
    ASSERT_EQ(geometry.lines.size(), 3u);
    EXPECT_EQ(geometry.lines[0].series, Series::Volts);
    EXPECT_EQ(geometry.lines[1].series, Series::Watts);
    EXPECT_EQ(geometry.lines[2].series, Series::Speed);
    const std::vector<QPointF>& points = geometry.lines[0].points;
    ASSERT_EQ(points.size(), 4u);
    for (int n = 0; n < 4; ++n) {
        EXPECT_DOUBLE_EQ(points[n].x(), n);
        EXPECT_DOUBLE_EQ(points[n].y(), 35 - (11 + n) + 35 / 40.0);
    }
    EXPECT_EQ(geometry.startTime, u"10:01");
    EXPECT_EQ(geometry.finishTime, u"10:04");
}

TEST_F(PlotGeometryTest, AWindowBetweenRecordsReadsTheRoundedSlots)
{
    fill({11, 12, 13, 14, 15, 16}, &RecordArrays::recVolts);
    // Positions 2.5, 3.5, 4.5 read slots 2, 4, 4 (halves to even); 5.5 lies beyond 5.4.
    request.windowStart = 2.5;
    request.windowEnd = 5.4;
    geometry = plotGeometry(records, request);
    EXPECT_DOUBLE_EQ(geometry.width, 2.9);
    const std::vector<QPointF>& points = line(Series::Volts)->points;
    ASSERT_EQ(points.size(), 3u);
    EXPECT_DOUBLE_EQ(points[0].y(), 35 - 12 + 0.875);
    EXPECT_DOUBLE_EQ(points[1].y(), 35 - 14 + 0.875);
    EXPECT_DOUBLE_EQ(points[2].y(), 35 - 14 + 0.875);
    EXPECT_EQ(geometry.startTime, u"10:02");
    EXPECT_EQ(geometry.finishTime, u"10:05");
}

}  // namespace
}  // namespace corvane::test
