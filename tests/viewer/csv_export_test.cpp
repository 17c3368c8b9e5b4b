#include "viewer/csv_export.h"

#include "viewer/day_file_loader.h"
#include "viewer/day_file_text.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

TEST(CsvFileName, JoinsTheDayFileNameAndTheTimeBoxesAsTheyStand)
{
    struct Case {
        QString dayFile;
        TimeBoxes boxes;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"P_2010_05_01.txt", {"00", "05", "23", "55"}, QStringLiteral("P_2010_05_01_0005_2355.csv")},
        {"P_2010_05_01.txt", {"7", "", "x", "9"}, QStringLiteral("P_2010_05_01_7_x9.csv")},
        {"P_a.b.txt", {"01", "02", "03", "04"}, QStringLiteral("P_a_0102_0304.csv")},
        {"", {"00", "00", "23", "59"}, std::nullopt},
        {"P_2010_05_01.txt", {"/..", "00", "23", "59"}, std::nullopt},
        {"P_2010_05_01.txt", {"00", "00", "..\\", "59"}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(csvFileName(c.dayFile, c.boxes), c.expected) << c.dayFile.toStdString();
}

TEST(CsvText, TakesThePositionsOfTheWindowRoundedHalvesToEven)
{
    RecordArrays records;
    loadDayRecords(minuteRecords(600, 6), {0, 86340}, records);
    // 2.5, 3.5, 4.5 read slots 2, 4, 4.
    EXPECT_EQ(csvText(records, 2.5, 4.9),
              "TIME,VOLTS,AMPS,WATTS,RPM,SPEED\r\n"
              "10:01,12.00,2.00,20.00,,4.3\r\n"
              "10:03,14.00,4.00,40.00,,4.3\r\n"
              "10:03,14.00,4.00,40.00,,4.3\r\n");
    EXPECT_EQ(csvText(records, 4, 3), "TIME,VOLTS,AMPS,WATTS,RPM,SPEED\r\n");
}

}  // namespace
}  // namespace corvane::test
