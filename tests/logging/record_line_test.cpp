#include "logging/day_file.h"
#include "logging/record_line.h"
#include "logging/watt_hours.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(RecordLine, FieldsInOrderWithTheirPatterns)
{
    const struct {
        IntervalValues means;
        double wattHours;
        const char* line;
    } cases[] = {
        {{12.6, 3.25, 40.95, 0, 4.3}, 234.5,
         "<T>14:05</T><V>12.60</V><I>3.25</I><W>40.95</W><R></R><S>4.3</S><M>0</M>   234.5Wh"},
        {{0.5, 0, 0, 0.4, 0}, 0, "<T>14:05</T><V>.50</V><I>.00</I><W>.00</W><R></R><S>.0</S><M>0</M>   .0Wh"},
        {{123.456, 1234.5, 12345.678, 2.5, 99.95}, 1234567.89,
         "<T>14:05</T><V>123.46</V><I>1234.50</I><W>12345.68</W><R>3</R><S>100.0</S><M>0</M>   1234567.9Wh"},
        {{-0.5, -3, 0, 0, 0}, 0.05, "<T>14:05</T><V>-.50</V><I>-3.00</I><W>.00</W><R></R><S>.0</S><M>0</M>   .1Wh"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(recordLine(QTime(14, 5, 59), c.means, 0, c.wattHours), QString::fromLatin1(c.line));
    }
}

TEST(IntervalMeans, EachSumOverTheFrameCount)
{
    const IntervalValues means = intervalMeans({25.2, 6.5, 81.9, 10, 8.6}, 2);
    EXPECT_DOUBLE_EQ(means.volts, 12.6);
    EXPECT_DOUBLE_EQ(means.amps, 3.25);
    EXPECT_DOUBLE_EQ(means.watts, 40.95);
    EXPECT_DOUBLE_EQ(means.rpm, 5);
    EXPECT_DOUBLE_EQ(means.windSpeed, 4.3);
}

TEST(DayFile, NamedAfterTheDate)
{
    EXPECT_EQ(dayFilePath(QDate(2010, 3, 7)), u"logs/P_2010_03_07.txt");
    EXPECT_EQ(dayFilePath(QDate(2011, 12, 31)), u"logs/P_2011_12_31.txt");
}

TEST(WattHours, EntryLines)
{
    EXPECT_EQ(wattHourEntryLine(WattHourEntry::DayStart, QDate(2010, 3, 8), QTime(0, 0, 3), 1520.04),
              u"2010_03_08,00:00  1520.0 Wh");
    EXPECT_EQ(wattHourEntryLine(WattHourEntry::Exit, QDate(2010, 3, 7), QTime(18, 42), 234.56),
              u"2010_03_07 18:42  234.6 Wh");
    EXPECT_EQ(wattHourEntryLine(WattHourEntry::Exit, QDate(2010, 3, 7), QTime(18, 42), 0.5),
              u"2010_03_07 18:42  .5 Wh");
    EXPECT_EQ(wattHourEntryLine(WattHourEntry::Exit, QDate(2010, 3, 7), QTime(18, 42), 0),
              u"2010_03_07 18:42  .0 Wh");
}

TEST(WattHours, AnHourOfTicksAtOneHundredWattsIsOneHundredWattHours)
{
    double total = 0;
    for (int tick = 0; tick < 720; ++tick)
        total = wattHoursAfterTick(total, 100);
    EXPECT_NEAR(total, 100.0, 1e-9);
    EXPECT_DOUBLE_EQ(wattHoursAfterTick(7, 0), 7);
}

TEST(WattHours, DayStartIsTheFirstTenSeconds)
{
    EXPECT_TRUE(isDayStart(0));
    EXPECT_TRUE(isDayStart(9.99f));
    EXPECT_FALSE(isDayStart(10));
    EXPECT_FALSE(isDayStart(86399));
}

}  // namespace
}  // namespace corvane
