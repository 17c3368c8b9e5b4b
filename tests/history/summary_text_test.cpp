#include "history/exit_entries.h"
#include "history/period_text.h"
#include "history/summary_csv.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct RowCase {
    const char* name;
    DaySummary summary;
    const char* row;
};

class SummaryRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(SummaryRow, PrintsPointDecimalsWithADigitBeforeThePoint)
{
    EXPECT_EQ(summaryRow({QDate(2010, 3, 7), GetParam().summary}), QString::fromLatin1(GetParam().row));
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, SummaryRow,
    ::testing::Values(RowCase{"ordinary", {8640, 1250.25, 812.4, 24.1, 28.954, 412.4, 5.25}, "2010-03-07,8640,1250.3,812.40,24.10,28.95,412,5.3"},
                      RowCase{"below_one", {3, 0.5, 0.25, 0.5, 0.995, 0, 0.04}, "2010-03-07,3,0.5,0.25,0.50,1.00,0,0.0"},
                      RowCase{"halves_away_from_zero", {1, 0.05, 2.125, -1.125, 3.0, 2.5, 0.15}, "2010-03-07,1,0.1,2.13,-1.13,3.00,3,0.2"},
                      RowCase{"no_grouping", {1, 1234567.0, 10000.0, 12.0, 12.0, 0, 0}, "2010-03-07,1,1234567.0,10000.00,12.00,12.00,0,0.0"},
                      RowCase{"no_records", {0, 0, 0, 0, 0, 0, 0}, "2010-03-07,0,,,,,,"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SummaryCsv, HeaderThenRowsEveryLineEndingWithCrLf)
{
    const QString csv = summaryCsv({{QDate(2010, 3, 7), {1, 2, 3, 4, 5, 6, 7}}, {QDate(2010, 3, 8), {}}});
    EXPECT_EQ(csv, QStringLiteral("date,records,energy_wh,peak_watts,min_volts,max_volts,max_rpm,mean_wind\r\n"
                                  "2010-03-07,1,2.0,3.00,4.00,5.00,6,7.0\r\n"
                                  "2010-03-08,0,,,,,,\r\n"));
    EXPECT_EQ(summaryCsv({}), kSummaryHeader + QStringLiteral("\r\n"));
}

TEST(EnergyText, WattHoursBelowAKilowattHourAndKilowattHoursFromThere)
{
    const std::pair<double, const char*> energies[] = {{0, "0.0 Wh"},         {0.05, "0.1 Wh"},
                                                       {999.94, "999.9 Wh"},  {1000, "1.00 kWh"},
                                                       {38412.5, "38.41 kWh"}, {1234567, "1234.57 kWh"}};
    for (const auto& [wattHours, text] : energies)
        EXPECT_EQ(energyText(wattHours), QString::fromLatin1(text)) << wattHours;
    const std::pair<double, const char*> scales[] = {{0.25, "0.25 Wh"}, {125, "125 Wh"}, {2500, "2.5 kWh"}};
    for (const auto& [wattHours, text] : scales)
        EXPECT_EQ(scaleText(wattHours), QString::fromLatin1(text)) << wattHours;
}

TEST(ExitEntries, TakesExitsAndPassesOverDayStartsAndNoise)
{
    const ExitTimes exits = readExitTimes("2010_03_08,00:00  234.6 Wh\r\n"
                                          "2010_03_08,00:00  .1 Wh\r\n"
                                          "2010_03_08 12:05  50.0 Wh\r\n"
                                          "\r\n"
                                          "2010_13_08 12:05  50.0 Wh\r\n"
                                          "2010_03_08 25:00  50.0 Wh\r\n"
                                          "garbage\r\n"
                                          "2010_03_08 18:42  90.0 Wh\r\n"
                                          "2010_03_09 07:00  1.0 Wh");
    ASSERT_EQ(exits.size(), 2);
    EXPECT_EQ(exits.value(QDate(2010, 3, 8)), (std::vector<TimeOfDay>{(12 * 60 + 5) * 60, (18 * 60 + 42) * 60}));
    EXPECT_EQ(exits.value(QDate(2010, 3, 9)), (std::vector<TimeOfDay>{7 * 3600}));
}

}  // namespace
}  // namespace corvane
