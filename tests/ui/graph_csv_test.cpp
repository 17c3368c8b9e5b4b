#include "graph_fixture.h"

#include "viewer/day_file_text.h"

#include <QDir>

namespace corvane::test {
namespace {

using GraphCsv = GraphTest;

const QByteArray kHeader = "TIME,VOLTS,AMPS,WATTS,RPM,SPEED\r\n";

TEST_F(GraphCsv, ExportsTheWholeLoadByteForByte)
{
    const QByteArray day = recordLine("14:05", "12.60", "3.25", "40.95", "", "4.3")
                           + recordLine("14:06", ".50", "-1.20", "1234.50", "321", ".0")
                           + recordLine("14:07", "12.70", "abc", "7", "501", "12.25");
    writeDay(day);
    open();
    choose();
    graph->CSV_Click();
    EXPECT_EQ(folder.user.messages, QStringList{QStringLiteral("Done")});
    EXPECT_EQ(readLogs(QStringLiteral("P_2010_03_07_1405_1407.csv")),
              kHeader + "14:05,12.60,3.25,40.95,,4.3\r\n"
                        "14:06,.50,-1.20,1234.50,321,.0\r\n"
                        "14:07,12.70,.00,7.00,,12.3\r\n");
    EXPECT_EQ(readLogs(), day + "\r\n\r\n") << "the load and the export each append an empty line";
}

TEST_F(GraphCsv, ExportsTheZoomedRecordsUnderTheirTimes)
{
    writeDay(minuteRecords(600, 100));
    open();
    choose();
    graph->Plot_MouseMove(20.2f);
    graph->Plot_MouseDown(20.2f);
    graph->Plot_MouseUp(60.3f);
    ASSERT_EQ(graph->records.recordCount, 39);
    graph->CSV_Click();
    const QByteArray csv = readLogs(QStringLiteral("P_2010_03_07_1020_1058.csv"));
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 41);  // header, 39 records, the empty text after the last line end
    EXPECT_EQ(lines[0], "TIME,VOLTS,AMPS,WATTS,RPM,SPEED\r");
    EXPECT_EQ(lines[1], "10:20,31.00,21.00,210.00,,4.3\r");
    EXPECT_EQ(lines[39], "10:58,69.00,59.00,590.00,,4.3\r");
    EXPECT_EQ(lines[40], "");
}

TEST_F(GraphCsv, NamesTheFileAfterTheBoxesAsEditedButExportsTheLoadedWindow)
{
    writeDay(minuteRecords(600, 3));
    open();
    choose();
    graph->Time1h->setText(QStringLiteral("05"));
    graph->Time2m->setText(QStringLiteral("7"));
    graph->CSV_Click();
    EXPECT_EQ(readLogs(QStringLiteral("P_2010_03_07_0500_107.csv")),
              kHeader + "10:00,11.00,1.00,10.00,,4.3\r\n10:01,12.00,2.00,20.00,,4.3\r\n10:02,13.00,3.00,30.00,,4.3\r\n");
}

TEST_F(GraphCsv, AfterAReleaseWithoutZoomStartsAtThePressPosition)
{
    writeDay(minuteRecords(600, 10));
    open();
    choose();
    graph->Plot_MouseMove(3.7f);
    graph->Plot_MouseDown(3.7f);
    graph->Plot_MouseUp(3.7f);
    graph->CSV_Click();
    // Positions 3.7 to 9.7 read slots 4 to 10; the press copied 10:03 into the From boxes.
    const QByteArray csv = readLogs(QStringLiteral("P_2010_03_07_1003_1009.csv"));
    EXPECT_TRUE(csv.startsWith(kHeader + "10:03,14.00,"));
    EXPECT_TRUE(csv.endsWith("10:09,20.00,10.00,100.00,,4.3\r\n"));
    EXPECT_EQ(csv.count('\n'), 8);
}

TEST_F(GraphCsv, WithNothingLoadedLeavesOneEmptyLine)
{
    writeDay("");
    open();
    choose();
    folder.user.messages.clear();
    graph->CSV_Click();
    EXPECT_EQ(folder.user.messages, QStringList{QStringLiteral("No data for that date")});
    EXPECT_EQ(readLogs(QStringLiteral("P_2010_03_07_0000_2359.csv")), "\r\n");
    EXPECT_EQ(readLogs(), "\r\n\r\n");
}

TEST_F(GraphCsv, WithoutAChosenFileOrWithAPathInTheBoxesWritesNothing)
{
    writeDay(minuteRecords(600, 3));
    open();
    graph->CSV_Click();
    EXPECT_EQ(folder.user.messages, QStringList{QStringLiteral("Please choose a day file from the list first.")});

    choose();
    folder.user.messages.clear();
    graph->Time1h->setText(QStringLiteral("../../x"));
    graph->CSV_Click();
    EXPECT_EQ(folder.user.messages,
              QStringList{QStringLiteral("The time boxes hold characters that cannot be part of a file name.")});
    EXPECT_EQ(QDir(folder.path(QStringLiteral("logs"))).entryList({QStringLiteral("*.csv")}).size(), 0);
    EXPECT_EQ(readLogs(), minuteRecords(600, 3) + "\r\n");
}

}  // namespace
}  // namespace corvane::test
