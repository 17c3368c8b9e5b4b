#include "viewer/day_file_loader.h"

#include "viewer/day_file_text.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

constexpr TimeOfDay at(int hour, int minute) { return hour * 3600 + minute * 60; }
constexpr TimeRange kWholeDay{at(0, 0), at(23, 59)};

TEST(DayFileLoader, ReadsEachFieldBetweenItsTagsAndLoadsZeroForMissingOrNonNumericText)
{
    struct Case {
        const char* name;
        QByteArray line;
        double volts, amps, watts, rpm, speed;
    };
    const Case cases[] = {
        {"as logged", recordLine("14:05", "12.60", "3.25", "40.95", "", "4.3"), 12.6, 3.25, 40.95, 0, 4.3},
        {"below one and negative", recordLine("14:05", ".50", "-3.25", "-.5", "7", "0"), 0.5, -3.25, -0.5, 7, 0},
        {"blanks and exponent", recordLine("14:05", " 12.6 ", "1e1", "+2", "3.", "2E-1"), 12.6, 10, 2, 3, 0.2},
        {"letters", recordLine("14:05", "12,6", "abc", "4O", "-", "."), 0, 0, 0, 0, 0},
        {"watts missing", "<T>14:05</T><V>12.6</V><I>1</I><R>9</R><S>2</S>\r\n", 12.6, 1, 0, 9, 2},
        {"other order, extra text", "x<S>5</S><W>6</W>y<T>14:05</T><I>2</I><R>3</R><V>1</V>z\r\n", 1, 2, 6, 3, 5},
        {"first tag counts", "<T>14:05</T><V>1</V><V>2</V>\r\n", 1, 0, 0, 0, 0},
        {"closing tag first", "<T>14:05</T></V>9<V>1</V><I>2</I>\r\n", 0, 2, 0, 0, 0},
        {"RPM above 500", recordLine("14:05", "1", "1", "1", "501"), 1, 1, 1, 0, 4.3},
        {"RPM 500", recordLine("14:05", "1", "1", "1", "500"), 1, 1, 1, 500, 4.3},
        {"RPM 500.01", recordLine("14:05", "1", "1", "1", "500.01"), 1, 1, 1, 0, 4.3},
    };
    for (const Case& c : cases) {
        RecordArrays records;
        ASSERT_EQ(loadDayRecords(c.line, kWholeDay, records), DayLoadOutcome::Loaded) << c.name;
        ASSERT_EQ(records.recordCount, 1) << c.name;
        EXPECT_EQ(records.recTime[1], at(14, 5)) << c.name;
        EXPECT_DOUBLE_EQ(records.recVolts[1], c.volts) << c.name;
        EXPECT_DOUBLE_EQ(records.recAmps[1], c.amps) << c.name;
        EXPECT_DOUBLE_EQ(records.recWatts[1], c.watts) << c.name;
        EXPECT_DOUBLE_EQ(records.recRpm[1], c.rpm) << c.name;
        EXPECT_DOUBLE_EQ(records.recSpeed[1], c.speed) << c.name;
    }
}

TEST(DayFileLoader, SkipsLinesWithoutAValidTime)
{
    const QByteArray lines[] = {
        "<V>12.6</V><I>1</I><W>2</W>\r\n",
        "<T>24:00</T><V>12.6</V>\r\n",
        "<T>12:60</T><V>12.6</V>\r\n",
        "<T>ab:cd</T><V>12.6</V>\r\n",
        "<T></T><V>12.6</V>\r\n",
        "</T>14:05<T><V>12.6</V>\r\n",
        "<T>14:05<V>12.6</V>\r\n",
        "<t>14:05</t><V>12.6</V>\r\n",
        "\r\n",
    };
    for (const QByteArray& line : lines) {
        RecordArrays records;
        EXPECT_EQ(loadDayRecords(line, kWholeDay, records), DayLoadOutcome::NoData) << line.constData();
    }
}

TEST(DayFileLoader, SplitsOnlyAtCarriageReturnLineFeed)
{
    RecordArrays records;
    // A bare LF or CR joins two records into one line, where only the first tags count.
    const QByteArray text = "<T>10:00</T><V>1</V>\n<T>11:00</T><V>2</V>\r<T>12:00</T>\r\n<T>13:00</T><V>4</V>";
    loadDayRecords(text, kWholeDay, records);
    ASSERT_EQ(records.recordCount, 2);
    EXPECT_EQ(records.recTime[1], at(10, 0));
    EXPECT_DOUBLE_EQ(records.recVolts[1], 1);
    EXPECT_EQ(records.recTime[2], at(13, 0));
    EXPECT_DOUBLE_EQ(records.recVolts[2], 4);
}

TEST(DayFileLoader, LeavesSlotsAboveTheNewCountAsTheEarlierLoadLeftThem)
{
    RecordArrays records;
    loadDayRecords(minuteRecords(60, 3), kWholeDay, records);
    loadDayRecords(recordLine(QStringLiteral("05:00"), QStringLiteral("99")), kWholeDay, records);
    EXPECT_EQ(records.recordCount, 1);
    EXPECT_DOUBLE_EQ(records.recVolts[1], 99);
    EXPECT_DOUBLE_EQ(records.recVolts[2], 12);
    EXPECT_DOUBLE_EQ(records.recVolts[3], 13);
    EXPECT_EQ(records.recTime[3], at(1, 2));

    EXPECT_EQ(loadDayRecords(QByteArray("\r\n"), kWholeDay, records), DayLoadOutcome::NoData);
    EXPECT_EQ(records.recordCount, 0);
    EXPECT_DOUBLE_EQ(records.recVolts[1], 99);
}

TEST(DayFileLoader, SurvivesBinaryContentAndMegabyteLines)
{
    QByteArray binary(1 << 20, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((static_cast<unsigned>(i) * 7919u) % 256u);
    const QByteArray longField = "<T>14:05</T><V>" + QByteArray(1 << 20, '9') + "</V>\r\n";
    const QByteArray longTime = "<T>" + QByteArray(1 << 20, ' ') + "14:06</T><V>1</V>\r\n";
    const QByteArray noLineEnds = QByteArray("<T>14:07</T><V>2</V>") + QByteArray(1 << 20, 'x');
    const QByteArray manyTimeTags = QByteArray("<T>").repeated(1 << 18) + "\r\n";

    RecordArrays records;
    const QByteArray text = binary + "\r\n" + longField + longTime + manyTimeTags + recordLine("14:08")
                            + QByteArray("\0\r\n", 3) + noLineEnds;
    EXPECT_EQ(loadDayRecords(text, kWholeDay, records), DayLoadOutcome::Loaded);
    ASSERT_EQ(records.recordCount, 4);
    EXPECT_DOUBLE_EQ(records.recVolts[1], 0) << "a million nines is too large to be a number";
    EXPECT_EQ(records.recTime[2], at(14, 6));
    EXPECT_EQ(records.recTime[3], at(14, 8));
    EXPECT_DOUBLE_EQ(records.recVolts[4], 2);
}

TEST(TimeBoxes, FormATimeOfDayOnlyFromAValidHourAndMinute)
{
    EXPECT_EQ(timeOfDayFromBoxes(QStringLiteral("00"), QStringLiteral("00")), at(0, 0));
    EXPECT_EQ(timeOfDayFromBoxes(QStringLiteral("23"), QStringLiteral("59")), at(23, 59));
    EXPECT_EQ(timeOfDayFromBoxes(QStringLiteral("7"), QStringLiteral("5")), at(7, 5));
    const char* invalid[][2] = {{"24", "00"}, {"12", "60"}, {"ab", "00"}, {"", "00"}, {"12", ""}, {"-1", "00"}};
    for (const auto& boxes : invalid)
        EXPECT_FALSE(timeOfDayFromBoxes(QString::fromLatin1(boxes[0]), QString::fromLatin1(boxes[1])))
            << boxes[0] << ":" << boxes[1];
}

}  // namespace
}  // namespace corvane::test
