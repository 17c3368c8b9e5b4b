#include "history/bar_chart_geometry.h"
#include "history/period_summary.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(RoundScaleMax, RoundsUpToOneTwoTwoAndAHalfOrFive)
{
    const std::pair<double, double> cases[] = {{0, 1},     {-5, 1},     {0.3, 0.5},   {1, 1},     {1.01, 2},
                                               {2.2, 2.5}, {3, 5},      {7, 10},      {1200, 2000}, {2500, 2500},
                                               {2501, 5000}, {99999, 100000}};
    for (const auto& [value, expected] : cases)
        EXPECT_DOUBLE_EQ(roundScaleMax(value), expected) << value;
}

TEST(BarChartGeometry, BarsStandOnTheBaseInTheirSlotsWithHeightsInProportion)
{
    const QRectF area(40, 10, 300, 200);
    const BarChartGeometry g = barChartGeometry({1000.0, std::nullopt, 500.0, 0.0}, area);
    EXPECT_DOUBLE_EQ(g.scaleMax, 1000);
    ASSERT_EQ(g.bars.size(), 4u);
    ASSERT_TRUE(g.bars[0] && g.bars[2] && g.bars[3]);
    EXPECT_FALSE(g.bars[1]);
    EXPECT_DOUBLE_EQ(g.bars[0]->height(), 200);
    EXPECT_DOUBLE_EQ(g.bars[2]->height(), 100);
    EXPECT_DOUBLE_EQ(g.bars[3]->height(), 0);
    for (const auto& bar : {g.bars[0], g.bars[2], g.bars[3]})
        EXPECT_DOUBLE_EQ(bar->bottom(), area.bottom());
    EXPECT_GT(g.bars[2]->left(), 40 + 2 * 75.0);
    EXPECT_LT(g.bars[2]->right(), 40 + 3 * 75.0);
    EXPECT_EQ(g.gridValues, (std::vector<double>{250, 500, 750, 1000}));
}

TEST(BarChartGeometry, SlotUnderThePointIsItsWholeColumn)
{
    const BarChartGeometry g = barChartGeometry({1.0, 2.0, 3.0}, QRectF(0, 0, 300, 100));
    EXPECT_EQ(slotAt(g, {10, 1}), 0);
    EXPECT_EQ(slotAt(g, {150, 99}), 1);
    EXPECT_EQ(slotAt(g, {299.9, 50}), 2);
    EXPECT_FALSE(slotAt(g, {300, 50}));
    EXPECT_FALSE(slotAt(g, {-1, 50}));
    EXPECT_FALSE(slotAt(g, {50, 101}));
    EXPECT_FALSE(slotAt(barChartGeometry({}, QRectF(0, 0, 300, 100)), {10, 10}));
}

std::vector<DayEntry> sampleDays()
{
    return {{QDate(2010, 2, 28), {10, 100, 50, 22, 25, 90, 1}},
            {QDate(2010, 3, 1), {10, 200, 300, 23, 27, 200, 2}},
            {QDate(2010, 3, 2), {}},
            {QDate(2010, 3, 31), {30, 300, 100, 21, 26, 100, 6}},
            {QDate(2011, 3, 1), {1, 5, 5, 5, 5, 5, 5}}};
}

TEST(PeriodSummary, AddsEnergiesAndTakesExtremesOfTheDaysInside)
{
    const PeriodSummary march = summarisePeriod(sampleDays(), QDate(2010, 3, 1), QDate(2010, 3, 31));
    EXPECT_EQ(march.dayFiles, 3);
    EXPECT_EQ(march.total.records, 40);
    EXPECT_DOUBLE_EQ(march.total.energyWh, 500);
    EXPECT_DOUBLE_EQ(march.total.peakWatts, 300);
    EXPECT_DOUBLE_EQ(march.total.minVolts, 21);
    EXPECT_DOUBLE_EQ(march.total.maxVolts, 27);
    EXPECT_DOUBLE_EQ(march.total.maxRpm, 200);
    EXPECT_DOUBLE_EQ(march.total.meanWind, (10 * 2 + 30 * 6) / 40.0);  // weighted by records
    EXPECT_EQ(summarisePeriod(sampleDays(), QDate(2009, 1, 1), QDate(2009, 12, 31)).dayFiles, 0);
}

TEST(PeriodSummary, DailyAndMonthlyBarsOnlyWhereDayFilesAre)
{
    const auto daily = dailyEnergy(sampleDays(), 2010, 3);
    ASSERT_EQ(daily.size(), 31u);
    EXPECT_EQ(daily[0], 200.0);
    EXPECT_EQ(daily[1], 0.0);  // a file without records: a bar of nothing
    EXPECT_FALSE(daily[2]);
    EXPECT_EQ(daily[30], 300.0);
    EXPECT_EQ(dailyEnergy(sampleDays(), 2010, 2).size(), 28u);

    const auto monthly = monthlyEnergy(sampleDays(), 2010);
    ASSERT_EQ(monthly.size(), 12u);
    EXPECT_FALSE(monthly[0]);
    EXPECT_EQ(monthly[1], 100.0);
    EXPECT_EQ(monthly[2], 500.0);
    EXPECT_FALSE(monthly[3]);
}

}  // namespace
}  // namespace corvane
