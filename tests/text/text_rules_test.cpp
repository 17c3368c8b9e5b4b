#include "text/date_time_text.h"
#include "text/failure.h"
#include "text/number_format.h"
#include "text/numeric_text.h"
#include "text/rounding.h"
#include "text/tagged_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace corvane {
namespace {

TEST(Locale, TestsRunUnderACommaDecimalLocale)
{
    // Guards the tests below: they only prove locale independence under such a locale.
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
}

struct NumericCase {
    const char* text;
    bool isNumber;
    double value;
};

TEST(NumericText, ReadsDecimalNumbersOnly)
{
    const NumericCase cases[] = {
        {"12", true, 12},        {"12.5", true, 12.5},     {".50", true, 0.5},
        {"5.", true, 5},         {"  -3.25 ", true, -3.25}, {"+7", true, 7},
        {"1e3", true, 1000},     {"2.5E-1", true, 0.25},   {"00", true, 0},
        {"0.0", true, 0},        {"", false, 0},           {" ", false, 0},
        {"COM1", false, 0},      {".", false, 0},          {"1e", false, 0},
        {"12,5", false, 0},      {"1 2", false, 0},        {"inf", false, 0},
        {"nan", false, 0},       {"0x10", false, 0},       {"--1", false, 0},
        {"1e999", false, 0},     {"e5", false, 0},         {"1e-999", true, 0},
        {"-0.0001e-400", true, 0},
    };
    for (const NumericCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(isNumericText(QString::fromLatin1(c.text)), c.isNumber);
        EXPECT_DOUBLE_EQ(valueOrZero(QString::fromLatin1(c.text)), c.value);
    }
}

TEST(NumericText, ArithmeticOnTextThatIsNotANumberFails)
{
    EXPECT_THROW(toNumber(u"abc"), Failure);
    EXPECT_THROW(toNumber(u""), Failure);
    EXPECT_DOUBLE_EQ(toNumber(u"12.5"), 12.5);
    try {
        toNumber(u"x");
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.description(), failure_text::typeMismatch);
    }
}

TEST(NumericText, DivisionByZeroFails)
{
    EXPECT_THROW(divide(1, 0), Failure);
    EXPECT_THROW(divide(0, 0), Failure);
    EXPECT_DOUBLE_EQ(divide(7, 2), 3.5);
}

TEST(NumericText, IntegerConversionRoundsHalfToEvenAndChecksRange)
{
    EXPECT_EQ(toInteger16(u"2.5"), 2);
    EXPECT_EQ(toInteger16(u"3.5"), 4);
    EXPECT_EQ(toInteger16(u"-2.5"), -2);
    EXPECT_EQ(toInteger16(u"32767"), 32767);
    EXPECT_THROW(toInteger16(u"32768"), Failure);
    EXPECT_THROW(toInteger16(u"-32769"), Failure);
    EXPECT_THROW(toInteger16(u"COM1"), Failure);
    EXPECT_EQ(toInteger32(u"57600"), 57600);
    EXPECT_EQ(toInteger32(12.5 * 1000), 12500);
}

struct RoundCase {
    double value;
    int decimals;
    double expected;
};

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    const RoundCase cases[] = {
        {2.5, 0, 2},       {3.5, 0, 4},     {-2.5, 0, -2},  {0.125, 2, 0.12},
        {234.56, 1, 234.6}, {12.345, 2, 12.34}, {1.005, 2, 1.0}, {500.04, 1, 500.0}, {1.0 / 3, 2, 0.33},
        {0.5, 0, 0},       {1.5, 0, 2},     {-0.004, 2, -0.0},
    };
    for (const RoundCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " to " << c.decimals);
        EXPECT_DOUBLE_EQ(roundHalfEven(c.value, c.decimals), c.expected);
    }
}

struct FormatCase {
    double value;
    const char* pattern;
    const char* expected;
};

TEST(FormatPattern, PrintsAsThePatternSays)
{
    const FormatCase cases[] = {
        {12.6, "##.00", "12.60"},     {0.5, "##.00", ".50"},       {0, "##.00", ".00"},
        {123.456, "##.00", "123.46"}, {3.25, "###.00", "3.25"},    {40.95, "####.00", "40.95"},
        {40.955, "####.00", "40.96"}, {2.675, "#0.00", "2.68"},    {0.125, "#0.00", "0.13"},
        {0, "####", ""},              {0.4, "####", ""},           {2.5, "####", "3"},
        {1234.4, "####", "1234"},     {0, "###.0", ".0"},          {4.3, "###.0", "4.3"},
        {234.56, "######.0", "234.6"}, {0.5, "#####.0", ".5"},     {0, "#####.0", ".0"},
        {0, "##0.0", "0.0"},          {3.14, "##0.0", "3.1"},      {234.56, "####0.0", "234.6"},
        {12345.67, "#####0.0", "12345.7"}, {12.6, "##0", "13"},    {0, "##0", "0"},
        {999.6, "###0", "1000"},      {40.32, "###0", "40"},       {0.5, "#0.00", "0.50"},
        {12.6, "#0.00", "12.60"},     {3.2, "#0.0", "3.2"},        {-5, "##0.0", "-5.0"},
        {-0.5, "##.00", "-.50"},      {-0.001, "##.00", ".00"},    {99.95, "#0.0", "100.0"},
        {0.96, "##0", "1"},           {1e20, "####", "100000000000000000000"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " with " << c.pattern);
        EXPECT_EQ(formatPattern(c.value, QString::fromLatin1(c.pattern)).toStdString(), c.expected);
    }
}

TEST(GeneralNumberText, PrintsPlainDigitsWithoutTrailingZeros)
{
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {12.5, "12.5"},
        {3.0, "3"},
        {0.5, "0.5"},
        {-0.0, "0"},
        {-2.25, "-2.25"},
        {roundHalfEven(12.346, 2), "12.35"},
        {100000, "100000"},
        {1e6, "1000000"},
        {-250000, "-250000"},
        {0.001, "0.001"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456.789, "123456.789"},
        {999999999999999, "999999999999999"},
        {123456789012345.6, "123456789012346"},
        {1e-14, "0.00000000000001"},
        {1.5e-14, "0.000000000000015"},
        {1e15, "1e+15"},
        {1234567890123456789.0, "1.23456789012346e+18"},
        {1e20, "1e+20"},
        {-1.5e20, "-1.5e+20"},
        {1.5e-15, "1.5e-15"},
        {1e-300, "1e-300"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(generalNumberText(c.value).toStdString(), c.expected);
    }
}

TEST(DateTimeText, UsesFixedDigits)
{
    EXPECT_EQ(dateText(QDate(2010, 3, 7)), u"2010_03_07");
    EXPECT_EQ(timeText(QTime(14, 5, 59)), u"14:05");
    EXPECT_EQ(timeText(QTime(0, 0)), u"00:00");
}

TEST(DateTimeText, ReadsTimesOfDay)
{
    EXPECT_EQ(parseTimeOfDay(u"14:05"), QTime(14, 5));
    EXPECT_EQ(parseTimeOfDay(u"7:5"), QTime(7, 5));
    EXPECT_EQ(parseTimeOfDay(u"23:59:30"), QTime(23, 59, 30));
    EXPECT_EQ(parseTimeOfDay(QLatin1StringView(" 9:07 ")), QTime(9, 7));
    for (const char* bad : {"24:00", "12:60", "", "ab:cd", "12", "12:", ":30", "1205", "1:2:3:4", "12:005"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parseTimeOfDay(QString::fromLatin1(bad)).has_value());
        EXPECT_FALSE(parseTimeOfDay(QLatin1StringView(bad)).has_value());
    }
}

TEST(TaggedText, TakesTheTextBetweenTheFirstTags)
{
    EXPECT_EQ(textBetweenTags(u"[<V>745</V><V>9</V>]", u"<V>", u"</V>"), u"745");
    EXPECT_EQ(textBetweenTags(u"<V></V>", u"<V>", u"</V>"), u"");
    EXPECT_EQ(textBetweenTags(u"<V>745", u"<V>", u"</V>"), u"");
    EXPECT_EQ(textBetweenTags(u"745</V>", u"<V>", u"</V>"), u"");
    EXPECT_THROW(textBetweenTags(u"</R>12<R>", u"<R>", u"</R>"), Failure);
}

TEST(TaggedText, SubstringCountsFromOne)
{
    EXPECT_EQ(substring(u"abcdef", 2, 3), u"bcd");
    EXPECT_EQ(substring(u"abcdef", 5, 10), u"ef");
    EXPECT_EQ(substring(u"abc", 9, 2), u"");
    EXPECT_THROW(substring(u"abc", 1, -1), Failure);
    EXPECT_EQ(findPosition(u"abc", u"c"), 3);
    EXPECT_EQ(findPosition(u"abc", u"x"), 0);
}

}  // namespace
}  // namespace corvane
