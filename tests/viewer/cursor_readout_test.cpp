#include "viewer/cursor_readout.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

const QString kUnits = QStringLiteral("km/h");

// Records 1 to `count` stamped 10:00 + their number of minutes, volts 10 + their number.
RecordArrays numberedRecords(int count)
{
    RecordArrays records;
    for (int slot = 1; slot <= count; ++slot) {
        records.recTime[slot] = 36000 + slot * 60;
        records.recVolts[slot] = 10 + slot;
    }
    records.recordCount = count;
    return records;
}

TEST(CursorReadout, RoundsValuesToTwoDecimalsHalvesToEvenInShortestForm)
{
    RecordArrays records = numberedRecords(2);
    records.recVolts[1] = 12.5;
    records.recAmps[1] = 0.125;
    records.recWatts[1] = 40.955;
    records.recRpm[1] = 0.375;
    records.recSpeed[1] = 4.3;
    const CursorReadout readout = cursorReadout(records, 0, 1, kUnits);
    ASSERT_TRUE(readout.values);
    const std::array<QString, kSeriesCount> expected{QStringLiteral("12.5 V"), QStringLiteral("0.12 A"),
                                                     QStringLiteral("40.96 W"), QStringLiteral("0.38 RPM"),
                                                     QStringLiteral("4.3 km/h")};
    EXPECT_EQ(*readout.values, expected);
}

TEST(CursorReadout, ReadsTheTimeAndTheValuesFromTheirOwnSlots)
{
    const RecordArrays records = numberedRecords(10);
    // A window from 2.7: the time is that of floor(0.2 + 2.7) = 2, the values those of
    // floor(0.2) + 2.7 rounded = 3.
    const CursorReadout readout = cursorReadout(records, 0.2, 2.7, kUnits);
    EXPECT_EQ(readout.time, QStringLiteral("10:02"));
    ASSERT_TRUE(readout.values);
    EXPECT_EQ((*readout.values)[0], u"13 V");
}

TEST(CursorReadout, GivesNothingForAPointerOutsideTheLoadedRecords)
{
    const RecordArrays records = numberedRecords(10);
    for (double x : {-1.5, 10.2, 20.0, 1e12}) {
        const CursorReadout readout = cursorReadout(records, x, 1, kUnits);
        EXPECT_FALSE(readout.time) << x;
        EXPECT_FALSE(readout.values) << x;
    }
    // Only the time slot is past the last record here.
    const CursorReadout partial = cursorReadout(records, 9.6, 1.5, kUnits);
    EXPECT_FALSE(partial.time);
    EXPECT_TRUE(partial.values);
}

}  // namespace
}  // namespace corvane::test
