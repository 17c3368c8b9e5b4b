#include "graph_fixture.h"

#include "main_window_fixture.h"
#include "ui/graph_lists.h"
#include "ui/plot_widget.h"
#include "viewer/day_file_text.h"

#include <QDir>

namespace corvane::test {
namespace {

const QString kNoData = QStringLiteral("No data for that date");
const QString kOverLimit = QStringLiteral(
    "Over 10,000 records, too many to display. Please use a smaller time range. If you set you logging interval "
    "to 10 seconds or more, you wont have this problem in the future. ");

QByteArray lines(std::initializer_list<const char*> times)
{
    QByteArray text;
    for (const char* time : times)
        text += recordLine(QString::fromLatin1(time));
    return text;
}

using GraphOpen = GraphTest;

TEST_F(GraphOpen, ListsTheDayFilesOfTheLogsFolderWithTheInitialTexts)
{
    writeDay("", QStringLiteral("Whours.txt"));
    writeDay("", QStringLiteral("P_2010_03_06.txt"));
    writeDay("", QStringLiteral("P_2010_03_06_0000_2359.csv"));
    open();
    EXPECT_EQ(graph->objectName(), u"Graph");
    EXPECT_EQ(graph->windowTitle(), u"Graph");
    EXPECT_EQ(QDir(graph->Dir1->path()), QDir(folder.path(QStringLiteral("logs"))));
    EXPECT_EQ(graph->File1->path(), graph->Dir1->path());
    ASSERT_EQ(graph->File1->count(), 2);
    EXPECT_EQ(graph->File1->item(0)->text(), u"P_2010_03_06.txt");
    EXPECT_EQ(graph->File1->item(1)->text(), u"Whours.txt");
    EXPECT_EQ(timeBoxes(), u"00:00-23:59");
    EXPECT_EQ(graph->stime->text() + graph->ftime->text() + graph->watts->text(), u"StartFinishWh");

    const QCheckBox* ticked[] = {graph->Check1, graph->Check2, graph->Check3, graph->Check4, graph->Check6};
    for (const QCheckBox* box : ticked)
        EXPECT_TRUE(box->isChecked()) << box->text().toStdString();
    EXPECT_FALSE(graph->Check5->isChecked());
    EXPECT_EQ(graph->Check6->text(), u"Scaled");
    EXPECT_TRUE(graph->showVolts && graph->showAmps && graph->showWatts && graph->showRpm && graph->scaled);
    EXPECT_FALSE(graph->showSpeed);
    EXPECT_TRUE(folder.user.messages.isEmpty());
}

TEST_F(GraphOpen, TellsWhenProgCfgCannotGiveItsValuesAndThenLoadsNothing)
{
    writeDay(lines({"12:00", "12:01"}));
    struct Case {
        const char* name;
        std::function<void(ProgConfig&)> change;
        QString expected;
    };
    const QString unusable = QStringLiteral(
        "prog.cfg holds no usable %1 value, so no log can be displayed. Save the settings in Program Setup first.");
    const Case cases[] = {
        {"LogDelay", [](ProgConfig& p) { p.LogDelay = QStringLiteral("1 minute"); },
         unusable.arg(QStringLiteral("LogDelay"))},
        {"SV", [](ProgConfig& p) { p.SV = QString(); }, unusable.arg(QStringLiteral("SV"))},
        {"MA", [](ProgConfig& p) { p.MA = QStringLiteral("lots"); }, unusable.arg(QStringLiteral("MA"))},
    };
    for (const Case& c : cases) {
        folder.user.messages.clear();
        prog = ProgConfig();
        c.change(prog);
        open();
        choose();
        EXPECT_EQ(folder.user.messages, QStringList({c.expected, c.expected})) << c.name;
        EXPECT_EQ(graph->records.recordCount, 0) << c.name;
    }
    EXPECT_EQ(readLogs(), lines({"12:00", "12:01"})) << "nothing appended without a load";

    folder.user.messages.clear();
    graph = std::make_unique<Graph>(folder.platform(), nullptr);
    QFile::remove(folder.path(QStringLiteral("prog.cfg")));
    graph->Form_Load();
    choose();
    const QString unreadable = QStringLiteral(
        "prog.cfg could not be read, so no log can be displayed. Save the settings in Program Setup first.");
    EXPECT_EQ(folder.user.messages, QStringList({unreadable, unreadable}));
}

using GraphLoad = GraphTest;

TEST_F(GraphLoad, KeepsRecordsStrictlyInsideTheRangeAndNarrowsAtEachPressOfDisplay)
{
    const QByteArray day = lines({"00:00", "00:01", "00:02", "00:02", "12:00", "12:01", "23:57", "23:58", "23:59"});
    writeDay(day);
    open();
    choose();
    EXPECT_EQ(graph->text1->text(), kDayFile);
    EXPECT_EQ(graph->records.recordCount, 7);
    EXPECT_EQ(graph->windowStart, 1);
    EXPECT_EQ(graph->windowEnd, 7);
    EXPECT_EQ(graph->stime->text(), u"00:01");
    EXPECT_EQ(graph->ftime->text(), u"23:58");
    EXPECT_EQ(timeBoxes(), u"00:01-23:58");
    EXPECT_TRUE(folder.user.messages.isEmpty());

    const int expectedCounts[] = {5, 2};
    const char* expectedBoxes[] = {"00:02-23:57", "12:00-12:01"};
    for (int press = 0; press < 2; ++press) {
        graph->Command1_Click();
        EXPECT_EQ(graph->records.recordCount, expectedCounts[press]);
        EXPECT_EQ(timeBoxes(), QString::fromLatin1(expectedBoxes[press]));
    }
    graph->Command1_Click();
    EXPECT_EQ(graph->records.recordCount, 0);
    EXPECT_EQ(folder.user.messages, QStringList{kNoData});
    EXPECT_EQ(graph->ftime->text(), u"12:01") << "a load that finds nothing leaves the labels";

    EXPECT_EQ(readLogs(), day + "\r\n\r\n\r\n\r\n") << "one empty line per load";
}

TEST_F(GraphLoad, AppendsOneEmptyLineAndReadsTheSameRecordsEachTime)
{
    writeDay(minuteRecords(600, 3));
    open();
    for (int load = 1; load <= 3; ++load) {
        choose();
        EXPECT_EQ(graph->records.recordCount, 3);
        EXPECT_EQ(graph->records.recVolts[3], 13);
        EXPECT_EQ(readLogs(), minuteRecords(600, 3) + QByteArray("\r\n").repeated(load));
    }
}

TEST_F(GraphLoad, LoadsAndDrawsNineThousandNineHundredNinetyNineRecordsButRefusesTenThousand)
{
    open();
    writeDay(wholeDayRecords(9999));
    choose();
    EXPECT_TRUE(folder.user.messages.isEmpty());
    EXPECT_EQ(graph->records.recordCount, 9999);
    EXPECT_EQ(graph->windowEnd, 9999);
    EXPECT_TRUE(graph->Plot->picture().drawn);
    EXPECT_EQ(graph->Plot->picture().lines.front().points.size(), 9999u);
    EXPECT_EQ(timeBoxes(), u"00:01-22:51");

    writeDay(wholeDayRecords(10000), QStringLiteral("P_2010_03_08.txt"));
    const QImage before = graph->Plot->grab().toImage();
    choose(QStringLiteral("P_2010_03_08.txt"));
    EXPECT_EQ(folder.user.messages, QStringList{kOverLimit});
    EXPECT_EQ(graph->records.recordCount, 10000);
    EXPECT_EQ(graph->windowEnd, 9999);
    EXPECT_EQ(timeBoxes(), u"00:00-23:59") << "the click reset the boxes and nothing drew over them";
    EXPECT_EQ(graph->Plot->grab().toImage(), before);
    EXPECT_EQ(graph->Plot->picture().lines.front().points.size(), 9999u);
}

TEST_F(GraphLoad, LooksUpAFileChosenInAnotherFolderInTheLogsFolder)
{
    const QString other = folder.path(QStringLiteral("other"));
    QDir().mkdir(other);
    folder.write(QStringLiteral("other/P_2010_01_01.txt"), lines({"12:00", "12:01"}));
    folder.write(QStringLiteral("other/P_2010_01_02.txt"), lines({"12:00", "12:01"}));
    writeDay(lines({"08:00", "09:00", "10:00"}), QStringLiteral("P_2010_01_02.txt"));
    open();
    graph->Dir1->setPath(other);
    EXPECT_EQ(graph->File1->path(), QDir::cleanPath(other));

    choose(QStringLiteral("P_2010_01_01.txt"));
    EXPECT_EQ(folder.user.messages, QStringList{kNoData});
    EXPECT_EQ(readLogs(QStringLiteral("P_2010_01_01.txt")), "\r\n") << "created empty in logs, then touched";
    EXPECT_EQ(folder.read(QStringLiteral("other/P_2010_01_01.txt")), lines({"12:00", "12:01"}));

    choose(QStringLiteral("P_2010_01_02.txt"));
    EXPECT_EQ(graph->records.recordCount, 3);
    EXPECT_EQ(graph->stime->text(), u"08:00");
}

TEST_F(GraphLoad, WithoutAChosenFileOrValidTimesSaysSoAndLeavesEverythingAlone)
{
    writeDay(lines({"12:00", "12:01", "12:02"}));
    open();
    graph->Command1_Click();
    EXPECT_EQ(folder.user.messages, QStringList{QStringLiteral("Please choose a day file from the list first.")});
    EXPECT_EQ(QDir(folder.path(QStringLiteral("logs"))).entryList(QDir::Files).size(), 1);

    choose();
    ASSERT_EQ(graph->records.recordCount, 3);
    const char* invalid[][4] = {{"24", "00", "23", "59"}, {"00", "60", "23", "59"}, {"ab", "00", "23", "59"},
                                {"00", "00", "", "59"}, {"00", "00", "23", "5x"}};
    for (const auto& boxes : invalid) {
        folder.user.messages.clear();
        graph->Time1h->setText(QString::fromLatin1(boxes[0]));
        graph->Time1m->setText(QString::fromLatin1(boxes[1]));
        graph->Time2h->setText(QString::fromLatin1(boxes[2]));
        graph->Time2m->setText(QString::fromLatin1(boxes[3]));
        graph->Command1_Click();
        EXPECT_EQ(folder.user.messages,
                  QStringList{QStringLiteral("From and To must each be a time of day: hour 00 to 23, minute 00 to 59.")})
            << boxes[0] << boxes[1] << boxes[2] << boxes[3];
        EXPECT_EQ(graph->records.recordCount, 3);
    }
    EXPECT_EQ(readLogs(), lines({"12:00", "12:01", "12:02"}) + "\r\n");
}

TEST_F(GraphLoad, LoadsTheRecordsOfABinaryFileAndRefusesOneTooLargeToBeALog)
{
    QByteArray binary(1 << 20, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((static_cast<unsigned>(i) * 7919u) % 256u);
    writeDay(binary + "\r\n" + recordLine("12:00") + "<T>12:01</T><V>" + QByteArray(1 << 20, '9') + "</V>\r\n"
             + recordLine("12:02"));
    open();
    choose();
    EXPECT_TRUE(folder.user.messages.isEmpty());
    EXPECT_EQ(graph->records.recordCount, 3);

    QFile huge(folder.path(QStringLiteral("logs/P_2010_03_08.txt")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(600) << 20));
    huge.close();
    choose(QStringLiteral("P_2010_03_08.txt"));
    ASSERT_EQ(folder.user.messages.size(), 1);
    EXPECT_TRUE(folder.user.messages[0].startsWith(
        QStringLiteral("The day file could not be read or written (larger than 512 MB: ")));
    EXPECT_EQ(graph->records.recordCount, 3);
}

using GraphDraw = GraphTest;

TEST_F(GraphDraw, SeriesAndScaleBoxesRedrawOnlyWithTwoOrMoreRecords)
{
    writeDay(lines({"12:00"}) + recordLine("12:01", "13.1", "25") + recordLine("12:02", "13.1", "30"));
    open();
    choose();
    EXPECT_EQ(graph->VMax1->text(), u"35.00 V");
    EXPECT_EQ(graph->AMax1->text(), u"20.0 A");

    graph->Check1->setChecked(false);
    EXPECT_FALSE(graph->showVolts);
    ASSERT_TRUE(graph->Plot->picture().drawn);
    for (const SeriesLine& line : graph->Plot->picture().lines)
        EXPECT_NE(line.series, Series::Volts);

    graph->Check6->setChecked(false);
    EXPECT_EQ(graph->Check6->text(), u"Unscaled");
    EXPECT_EQ(graph->AMax1->text(), u"30.0 A");
    EXPECT_EQ(graph->AMin1->text(), u"3.3 A");
    EXPECT_EQ(graph->VMin1->text(), u"12.60 V");

    // One record: boxes change the flags but draw nothing.
    writeDay(lines({"12:00"}), QStringLiteral("P_2010_03_08.txt"));
    choose(QStringLiteral("P_2010_03_08.txt"));
    graph->Check5->setChecked(true);
    EXPECT_TRUE(graph->showSpeed);
    EXPECT_FALSE(graph->Plot->picture().drawn);
    EXPECT_EQ(graph->AMin1->text(), u"3.3 A") << "labels keep their text";
}

TEST_F(GraphDraw, ShowsTheWattHoursOfThePlottedRecordsWithTheLogDelayOfProgCfg)
{
    writeDay(recordLine("12:00", "12", "1", "100") + recordLine("12:01", "12", "1", "200")
             + recordLine("12:02", "12", "1", "300"));
    prog.LogDelay = QStringLiteral("30");
    open();
    choose();
    EXPECT_EQ(graph->watts->text(), u"4 Wh");
}

using ShowLogs = MainWindowTest;

TEST_F(ShowLogs, OpensTheViewerModallyWhileTheMainWindowKeepsLogging)
{
    prog.LogOn = QStringLiteral("1");
    start();
    const bool loggingBefore = window->loggingOn();
    bool shown = false;
    folder.user.dialogSteps.push_back([&](QDialog& dialog) {
        auto& graph = dynamic_cast<Graph&>(dialog);
        EXPECT_EQ(graph.parentWidget(), window.get());
        EXPECT_EQ(QDir(graph.Dir1->path()), QDir(folder.path(QStringLiteral("logs"))));
        EXPECT_EQ(window->loggingOn(), loggingBefore);
        shown = true;
    });
    window->ShowLogs_Click();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(folder.user.events.contains(QStringLiteral("dialog: Graph")));
    EXPECT_EQ(window->loggingOn(), loggingBefore);
}

}  // namespace
}  // namespace corvane::test
