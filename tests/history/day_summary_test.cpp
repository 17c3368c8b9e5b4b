#include "day_text.h"
#include "history/day_summary.h"

#include <gtest/gtest.h>
#include <random>

namespace corvane {
namespace {

using test::dayLine;

constexpr TimeOfDay minutes(int hour, int minute) { return (hour * 60 + minute) * 60; }

struct EnergyCase {
    const char* name;
    QByteArray content;
    std::vector<TimeOfDay> exits;
    int records;
    double energyWh;
};

class DayEnergy : public ::testing::TestWithParam<EnergyCase> {};

TEST_P(DayEnergy, AddsTheLastTotalOfEveryRun)
{
    const EnergyCase& c = GetParam();
    const DaySummary summary = summariseDay(c.content, c.exits);
    EXPECT_EQ(summary.records, c.records);
    EXPECT_DOUBLE_EQ(summary.energyWh, c.energyWh);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, DayEnergy,
    ::testing::Values(
        EnergyCase{"one_run", dayLine("08:00", "1.0") + dayLine("08:10", "2.5") + dayLine("08:20", "4.0"), {}, 3, 4.0},
        EnergyCase{"restart_in_the_middle",
                   dayLine("08:00", "5.0") + dayLine("09:00", "9.0") + dayLine("10:00", ".5") + dayLine("11:00", "3.0"),
                   {}, 4, 12.0},
        // Restarted at 12:01 in a strong wind: the new run's first total is not lower.
        EnergyCase{"restart_only_an_exit_shows",
                   dayLine("11:59", "5.0") + dayLine("12:00", "6.0") + dayLine("12:01", "7.0") + dayLine("12:02", "8.0"),
                   {minutes(12, 0)}, 4, 14.0},
        EnergyCase{"exit_after_the_last_record", dayLine("11:00", "5.0") + dayLine("11:10", "6.0"),
                   {minutes(18, 0)}, 2, 6.0},
        EnergyCase{"two_exits_between_two_records", dayLine("09:00", "5.0") + dayLine("15:00", "6.0"),
                   {minutes(10, 0), minutes(12, 0)}, 2, 11.0},
        EnergyCase{"midnight_record_carries_yesterday",
                   dayLine("00:00", "5123.4") + dayLine("00:00", ".1") + dayLine("00:01", "1.0"), {}, 3, 1.0},
        EnergyCase{"midnight_record_after_the_reset", dayLine("00:00", ".1") + dayLine("00:01", ".5"), {}, 2, 0.5},
        EnergyCase{"lower_total_later_than_midnight_counts", dayLine("00:01", "7.0") + dayLine("00:02", ".1"), {}, 2,
                   7.1},
        EnergyCase{"first_and_last_minute_included", dayLine("00:00", "1.0") + dayLine("23:59", "9.0"), {}, 2, 9.0},
        EnergyCase{"empty_and_skipped_lines",
                   "\r\n" + dayLine("08:00", "1.0") + "\r\nnoise\r\n<V>12</V><M>0</M> 99.0Wh\r\n"
                       + dayLine("24:00", "50.0") + dayLine("08:10", "2.0") + "\r\n",
                   {}, 2, 2.0},
        // A total that is not a number counts as 0, so it ends the run before it.
        EnergyCase{"total_not_a_number", dayLine("08:00", "5.0") + dayLine("08:10", "abc") + dayLine("08:20", "6.0"),
                   {}, 3, 11.0},
        EnergyCase{"no_total_at_all", "<T>08:00</T><W>5</W>\r\n<T>08:10</T><W>6</W>\r\n", {}, 2, 0.0},
        EnergyCase{"empty_file", "", {}, 0, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DaySummary, TakesExtremesAndMeansOverEveryRecord)
{
    const QByteArray content = dayLine("00:00", "900.0", "10.00", "24.50", "120", "2.0")
                               + dayLine("00:00", ".1", "812.40", "28.95", "501", "6.0")
                               + dayLine("12:00", "2.0", "abc", "23.10", "", "x")
                               + dayLine("13:00", "3.0", "-1.50", "24.00", "500", "4.0");
    const DaySummary summary = summariseDay(content, {});
    EXPECT_EQ(summary.records, 4);
    EXPECT_DOUBLE_EQ(summary.energyWh, 3.0);
    EXPECT_DOUBLE_EQ(summary.peakWatts, 812.40);
    EXPECT_DOUBLE_EQ(summary.minVolts, 23.10);
    EXPECT_DOUBLE_EQ(summary.maxVolts, 28.95);
    EXPECT_DOUBLE_EQ(summary.maxRpm, 500);  // 501 is noise and reads as 0
    EXPECT_DOUBLE_EQ(summary.meanWind, 3.0);
}

TEST(DaySummary, StillWindmillHasRpmZero)
{
    const DaySummary summary = summariseDay(dayLine("10:00", "1.0") + dayLine("10:10", "1.0"), {});
    EXPECT_EQ(summary.records, 2);
    EXPECT_DOUBLE_EQ(summary.maxRpm, 0);
}

TEST(DaySummary, BinaryFileOfHundredMegabytesYieldsOnlyItsRealRecords)
{
    std::mt19937 random(13);
    QByteArray content(100 * 1024 * 1024, Qt::Uninitialized);
    for (char& byte : content)
        byte = static_cast<char>(random());
    const QByteArray record = "\r\n" + dayLine("12:00", "3.5");
    content.replace(content.size() / 2, record.size(), record);
    const DaySummary summary = summariseDay(content, {});
    EXPECT_EQ(summary.records, 1);
    EXPECT_DOUBLE_EQ(summary.energyWh, 3.5);
}

}  // namespace
}  // namespace corvane
