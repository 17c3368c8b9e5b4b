#include "logging/record_line.h"
#include "logging/watt_hours.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(RecordLine, FieldsWithTheirPatterns)
{
    const struct {
        IntervalValues means;
        double wattHours;
        const char* line;
    } cases[] = {
        {{12.6, 3.25, 40.95, 0.4, 4.3}, 234.5,
         "<T>14:05</T><V>12.60</V><I>3.25</I><W>40.95</W><R></R><S>4.3</S><M>0</M>   234.5Wh"},
        {{0.5, 0, 0, 0, 0}, 0, "<T>14:05</T><V>.50</V><I>.00</I><W>.00</W><R></R><S>.0</S><M>0</M>   .0Wh"},
        {{123.456, 1234.5, 12345.678, 2.5, 99.95}, 1234567.89,
         "<T>14:05</T><V>123.46</V><I>1234.50</I><W>12345.68</W><R>3</R><S>100.0</S><M>0</M>   1234567.9Wh"},
        {{-0.5, -3, 0, 0, 0}, 0.05, "<T>14:05</T><V>-.50</V><I>-3.00</I><W>.00</W><R></R><S>.0</S><M>0</M>   .1Wh"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(recordLine(QTime(14, 5, 59), c.means, 0, c.wattHours), QString::fromLatin1(c.line));
    }
}

TEST(WattHours, EntryLinesAndTheDayStartWindow)
{
    EXPECT_EQ(wattHourEntryLine(WattHourEntry::Exit, QDate(2010, 3, 7), QTime(18, 42), 0.5),
              u"2010_03_07 18:42  .5 Wh");
    EXPECT_EQ(wattHourEntryLine(WattHourEntry::DayStart, QDate(2010, 3, 8), QTime(0, 0, 3), 0),
              u"2010_03_08,00:00  .0 Wh");
    EXPECT_TRUE(isDayStart(9.99f));
    EXPECT_FALSE(isDayStart(10));
}

}  // namespace
}  // namespace corvane
