#include "text/numeric_text.h"
#include "viewer/day_record.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// The quick reading of plain decimals must give exactly what the general rule gives.
TEST(DayRecord, FieldsReadExactlyAsTheGeneralRuleReadsThem)
{
    for (const char* text : {"12.60", ".50", "-3.25", "0", "-0", "412", "1.", "0.1", "0.3", "9999999.99",
                             "123456789012345", "1234567890123456", "12345678.123456789", "-.5", "-", ".", "1.2.3",
                             " 7", "1e3", "12,6", "", "00012.500"}) {
        const std::string line = std::string("<T>12:00</T><V>") + text + "</V><M>0</M>   " + text + "Wh";
        const std::optional<DayRecord> record = readDayRecord(line);
        ASSERT_TRUE(record) << text;
        const double expected = valueOrZero(QString::fromLatin1(text));
        EXPECT_EQ(record->volts, expected) << text;
        EXPECT_EQ(record->wattHours, expected) << text;
    }
}

TEST(DayRecord, WattHoursAfterTheFlagBeforeWh)
{
    const std::pair<const char*, double> cases[] = {
        {"<T>12:00</T><M>0</M>   234.5Wh", 234.5},
        {"<T>12:00</T><M>0</M>234.5Wh", 234.5},
        {"<T>12:00</T><M>0</M>   234.5", 0},        // no "Wh"
        {"<T>12:00</T>   234.5Wh", 0},              // no "</M>"
        {"<T>12:00</T><M>0</M>   abcWh", 0},
        {"<T>12:00</T><M>0</M>   .5Wh trailing Wh", 0.5},
    };
    for (const auto& [line, wattHours] : cases)
        EXPECT_EQ(readDayRecord(line)->wattHours, wattHours) << line;
    EXPECT_FALSE(readDayRecord("<V>12</V><M>0</M> 1.0Wh"));
}

}  // namespace
}  // namespace corvane
