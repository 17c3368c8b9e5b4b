#include "history/summary_csv.h"
#include "support/config_text.h"
#include "support/test_folder.h"
#include "ui/corvane_main.h"
#include "ui/energy_chart.h"
#include "ui/graph.h"
#include "ui/history_window.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace corvane {
namespace {

QByteArray records(const QByteArray& time, std::initializer_list<const char*> totals)
{
    QByteArray text;
    for (const char* total : totals)
        text += "<T>" + time + "</T><V>24.50</V><I>2.00</I><W>49.00</W><R>100</R><S>4.0</S><M>0</M>   "
                + QByteArray(total) + "Wh\r\n";
    return text;
}

// A temporary program folder with day files in February, March and May 2010; the clock
// says 7 March 2010.
class HistoryWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(folder.path()).mkdir(QStringLiteral("logs"));
        folder.write(QStringLiteral("prog.cfg"), test::ProgConfig().text());
        writeDay("2010_02_27", records("12:00", {"300.0"}));
        writeDay("2010_03_01", records("12:00", {"100.0", "400.0"}));
        writeDay("2010_03_02", records("12:00", {"200.0"}));
        writeDay("2010_03_07", records("10:00", {"50.0"}));
        writeDay("2010_03_31", "");
        writeDay("2010_05_10", records("12:00", {"1000.0"}));
        open();
    }

    void writeDay(const char* date, const QByteArray& content)
    {
        folder.write(QStringLiteral("logs/P_%1.txt").arg(QLatin1String(date)), content);
    }

    void open()
    {
        window = std::make_unique<HistoryWindow>(folder.platform(), nullptr);
        window->resize(900, 520);
        window->Form_Load();
    }

    // Every bar as the chart geometry places it in the chart's size, and the expected
    // values put through the same geometry.
    void expectBars(const std::vector<std::optional<double>>& expected)
    {
        EXPECT_EQ(window->Chart->values(), expected);
        const BarChartGeometry shown = window->Chart->chartGeometry();
        const BarChartGeometry wanted = barChartGeometry(expected, window->Chart->plotArea());
        ASSERT_EQ(shown.bars.size(), expected.size());
        EXPECT_EQ(shown.bars, wanted.bars);
    }

    test::TestFolder folder;
    std::unique_ptr<HistoryWindow> window;
};

std::vector<std::optional<double>> monthOf(int days, std::initializer_list<std::pair<int, double>> bars)
{
    std::vector<std::optional<double>> values(static_cast<std::size_t>(days));
    for (const auto& [day, energy] : bars)
        values[static_cast<std::size_t>(day - 1)] = energy;
    return values;
}

TEST_F(HistoryWindowTest, OpensOnTheCurrentMonthWithDailyBarsAndTheTotal)
{
    EXPECT_FALSE(window->yearView());
    EXPECT_EQ(window->Title->text(), QStringLiteral("March 2010"));
    expectBars(monthOf(31, {{1, 400.0}, {2, 200.0}, {7, 50.0}, {31, 0.0}}));
    EXPECT_EQ(window->Total->text(), QStringLiteral("Month total: 650.0 Wh"));
    // The largest bar fills the round scale's share of the height.
    const BarChartGeometry g = window->Chart->chartGeometry();
    EXPECT_DOUBLE_EQ(g.scaleMax, 500);
    EXPECT_DOUBLE_EQ(g.bars[0]->height(), g.plotArea.height() * 400 / 500);
    EXPECT_FALSE(g.bars[2]);
}

TEST_F(HistoryWindowTest, PreviousNextAndThePickersChangeTheMonth)
{
    window->Previous_Click();
    EXPECT_EQ(window->Title->text(), QStringLiteral("February 2010"));
    expectBars(monthOf(28, {{27, 300.0}}));
    window->Next_Click();
    window->Next_Click();
    EXPECT_EQ(window->Title->text(), QStringLiteral("April 2010"));
    expectBars(monthOf(30, {}));
    EXPECT_EQ(window->Total->text(), QStringLiteral("Month total: 0.0 Wh"));

    window->MonthPicker->setCurrentIndex(4);
    EXPECT_EQ(window->Title->text(), QStringLiteral("May 2010"));
    EXPECT_EQ(window->Total->text(), QStringLiteral("Month total: 1.00 kWh"));
    window->YearPicker->setValue(2009);
    EXPECT_EQ(window->Title->text(), QStringLiteral("May 2009"));
    window->showMonth(2009, 12);
    window->Next_Click();
    EXPECT_EQ(window->Title->text(), QStringLiteral("January 2010"));
}

TEST_F(HistoryWindowTest, YearViewHasABarPerMonthWithDayFiles)
{
    window->YearView_Click();
    EXPECT_TRUE(window->yearView());
    EXPECT_EQ(window->Title->text(), QStringLiteral("2010"));
    std::vector<std::optional<double>> months(12);
    months[1] = 300.0;
    months[2] = 650.0;
    months[4] = 1000.0;
    expectBars(months);
    EXPECT_EQ(window->Total->text(), QStringLiteral("Year total: 1.95 kWh"));
    window->Previous_Click();
    EXPECT_EQ(window->Title->text(), QStringLiteral("2009"));
    expectBars(std::vector<std::optional<double>>(12));
    // A double-click on a month shows that month.
    window->Next_Click();
    window->Chart_DoubleClick(1);
    EXPECT_FALSE(window->yearView());
    EXPECT_EQ(window->Title->text(), QStringLiteral("February 2010"));
}

TEST_F(HistoryWindowTest, PointerOverABarShowsItsSummary)
{
    window->Chart_Hover(0);
    EXPECT_EQ(window->Detail->text(), QStringLiteral("Monday 1 March 2010: 400.0 Wh, 2 records, peak 49.00 W, "
                                                     "24.50 to 24.50 V, max 100 RPM, mean wind 4.0"));
    window->Chart_Hover(2);
    EXPECT_EQ(window->Detail->text(), QStringLiteral("Wednesday 3 March 2010: no log"));
    window->Chart_Hover(30);
    EXPECT_EQ(window->Detail->text(), QStringLiteral("Wednesday 31 March 2010: no records"));
    window->Chart_Hover(-1);
    EXPECT_TRUE(window->Detail->text().startsWith(QStringLiteral("March 2010: 650.0 Wh from 4 days, 4 records")));
    window->YearView_Click();
    window->Chart_Hover(4);
    EXPECT_TRUE(window->Detail->text().startsWith(QStringLiteral("May 2010: 1.00 kWh from 1 day,")));
}

TEST_F(HistoryWindowTest, DoubleClickOnADayOpensTheViewerOnThatDay)
{
    QString loadedFile;
    int loadedRecords = -1;
    folder.user.dialogSteps.push_back([&](QDialog& dialog) {
        auto& graph = static_cast<Graph&>(dialog);
        loadedFile = graph.text1->text();
        loadedRecords = graph.records.recordCount;
    });
    window->Chart_DoubleClick(0);
    EXPECT_EQ(folder.user.events, QStringList{QStringLiteral("dialog: Graph")});
    EXPECT_EQ(loadedFile, QStringLiteral("P_2010_03_01.txt"));
    EXPECT_EQ(loadedRecords, 2);

    // A day without a file opens nothing.
    window->Chart_DoubleClick(2);
    EXPECT_EQ(folder.user.events.size(), 1);
}

TEST_F(HistoryWindowTest, CsvSavesTheShownPeriodWhereTheUserChooses)
{
    const QString target = folder.path(QStringLiteral("march.csv"));
    folder.user.fileChoices.push_back(target);
    window->CSV_Click();
    EXPECT_EQ(folder.user.events, QStringList{QStringLiteral("save file: ") + folder.path(QStringLiteral("summary_2010_03.csv"))});
    QFile saved(target);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    EXPECT_EQ(text, summaryCsv(window->shownDays()).toLatin1());
    EXPECT_EQ(text.count("\r\n"), 5);
    EXPECT_TRUE(text.contains("2010-03-31,0,,,,,,\r\n"));
    EXPECT_FALSE(text.contains("2010-02-27"));

    // Cancelled: nothing written.
    window->YearView_Click();
    window->CSV_Click();
    EXPECT_FALSE(folder.exists(QStringLiteral("summary_2010.csv")));
    EXPECT_TRUE(folder.user.messages.isEmpty());
}

TEST_F(HistoryWindowTest, TodaysBarGrowsWhenTheWindowIsOpenedAgain)
{
    const double before = *window->Chart->values()[6];
    QFile today(folder.path(QStringLiteral("logs/P_2010_03_07.txt")));
    ASSERT_TRUE(today.open(QIODevice::Append));
    today.write(records("14:05", {"75.5"}));
    today.close();
    open();
    EXPECT_DOUBLE_EQ(before, 50.0);
    EXPECT_DOUBLE_EQ(*window->Chart->values()[6], 75.5);
}

TEST(MainWindowHistory, HistoryButtonUnderShowLogsOpensTheHistory)
{
    test::TestFolder folder;
    folder.write(QStringLiteral("prog.cfg"), test::ProgConfig().text());
    CorvaneMain main(folder.platform());
    QString title;
    folder.user.dialogSteps.push_back([&](QDialog& dialog) {
        title = static_cast<HistoryWindow&>(dialog).Title->text();
    });
    main.show();  // lays the buttons out
    main.History->click();
    EXPECT_EQ(folder.user.events.last(), QStringLiteral("dialog: HistoryWindow"));
    EXPECT_EQ(title, QStringLiteral("March 2010"));
    EXPECT_GT(main.History->geometry().top(), main.ShowLogs->geometry().top());
}

}  // namespace
}  // namespace corvane
