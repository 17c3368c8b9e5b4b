#include "main_window_fixture.h"

#include "ui/twips.h"

#include <QDir>
#include <QFile>

namespace corvane::test {
namespace {

const QString noValidData = QStringLiteral(" No valid data recieved during logging interval");

QByteArray entry(const QString& message, const QString& frame, const char* time = "14:05")
{
    return (QStringLiteral("2010_03_07  ") + QLatin1String(time) + QStringLiteral("  ") + message + QStringLiteral("   <RB>  <IM> ") + frame + QStringLiteral("\r\n"))
        .toLatin1();
}

// Dividers of 1 and no offset, so frames carry volts and amps directly; revs as RPM.
class Logging : public MainWindowTest {
protected:
    void SetUp() override
    {
        calibration.RPMDivider = QStringLiteral("60");
        start();
    }
    void deliver(const QString& chunk) { port().deliver(chunk); }
    void at(int hour, int minute, int second = 0, QDate date = QDate(2010, 3, 7))
    {
        folder.clock.set(QDateTime(date, QTime(hour, minute, second)));
    }
    QByteArray dayFile(const char* date = "2010_03_07") const
    {
        return folder.read(QStringLiteral("logs/P_") + QLatin1String(date) + QStringLiteral(".txt"));
    }
    QByteArray wattHourFile() const { return folder.read(QStringLiteral("logs/Whours.txt")); }
};

TEST_F(Logging, TwoFramesMakeOneAveragedRecord)
{
    window->StartLogging_Click();
    window->wattHours = 234.5;
    deliver(QStringLiteral("[<V>12.5</V><I>3.2</I><R>2</R><S>4.2</S>]"));
    deliver(QStringLiteral("[<V>12.7</V><I>3.3</I><R>3</R><S>4.4</S>]"));
    window->commBuffer = QStringLiteral("[<V>1");
    window->Timer1_Timer();

    EXPECT_EQ(dayFile(), "<T>14:05</T><V>12.60</V><I>3.25</I><W>40.96</W><R>3</R><S>4.3</S><M>0</M>   234.5Wh\r\n");
    EXPECT_DOUBLE_EQ(window->prevVolts, 12.6);
    EXPECT_DOUBLE_EQ(window->prevWatts, 40.955);
    EXPECT_EQ(window->sampleCount, 0);
    EXPECT_EQ(window->sumVolts, 0.0);
    EXPECT_EQ(window->sumWatts, 0.0);
    EXPECT_EQ(window->commBuffer, u"[<V>1");  // the frame still arriving
    EXPECT_EQ(window->Label2->text(), u"COMMS data buffer cleared");
    EXPECT_EQ(window->BlinkLog->palette().color(QPalette::Button), QColor(255, 0, 0));
    EXPECT_TRUE(window->Timer2.isActive());
    EXPECT_TRUE(errorLog().isEmpty());
}

// The tick empties the buffer but keeps a frame that has begun to arrive.
TEST_F(Logging, TheTickKeepsOnlyAFrameStillArriving)
{
    const struct {
        const char* waiting;
        const char* kept;
    } cases[] = {
        {"[<V>12", "[<V>12"},           {"\r\n[<V>12.5</V><I>3", "[<V>12.5</V><I>3"},
        {"<V>12.5</V>", ""},           {"12.5</V><I>3.2</I>]\r\n", ""},
        {"[<V>1[<V>12.5", "[<V>12.5"}, {"noise", ""},
    };
    window->StartLogging_Click();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.waiting);
        window->commBuffer = QString::fromLatin1(c.waiting);
        window->Timer1_Timer();
        EXPECT_EQ(window->commBuffer, QString::fromLatin1(c.kept));
        EXPECT_EQ(window->Label2->text(), u"COMMS data buffer cleared");
    }
}

// A tick in the middle of a frame costs nothing on a fault-free line: the frame completes
// and the next one is taken too, without an error-log entry.
TEST_F(Logging, AFrameCutByTheTickIsTakenWhole)
{
    window->StartLogging_Click();
    deliver(QStringLiteral("[<V>12.5</V><I>3.2</I>]\r\n"));
    deliver(QStringLiteral("[<V>12.5</V><I>3"));
    window->Timer1_Timer();
    deliver(QStringLiteral(".2</I>]\r\n"));
    deliver(QStringLiteral("[<V>12.7</V><I>3.3</I>]\r\n"));
    EXPECT_EQ(window->sampleCount, 2);
    EXPECT_DOUBLE_EQ(window->sumVolts, 25.2);
    EXPECT_TRUE(errorLog().isEmpty()) << errorLog().toStdString();
}

TEST_F(Logging, AnIntervalWithoutFramesRepeatsThePreviousRecord)
{
    window->StartLogging_Click();
    const QString frame = QStringLiteral("[<V>12.6</V><I>3.25</I><R>30</R><S>4.3</S>]");
    deliver(frame);
    window->Timer1_Timer();
    at(14, 6);
    window->wattHours = 1.25;
    window->Timer1_Timer();
    EXPECT_EQ(dayFile(), "<T>14:05</T><V>12.60</V><I>3.25</I><W>40.95</W><R>30</R><S>4.3</S><M>0</M>   .0Wh\r\n"
                         "<T>14:06</T><V>12.60</V><I>3.25</I><W>40.95</W><R>30</R><S>4.3</S><M>0</M>   1.3Wh\r\n");
    // The entry carries the last frame taken, as nothing has been logged since.
    EXPECT_EQ(errorLog(), entry(noValidData, frame, "14:06"));
    EXPECT_EQ(window->Label2->text(), u"COMMS data buffer cleared");
}

TEST_F(Logging, TheFirstIntervalWithoutFramesWritesZeros)
{
    window->StartLogging_Click();
    window->Timer1_Timer();
    EXPECT_EQ(dayFile(), "<T>14:05</T><V>.00</V><I>.00</I><W>.00</W><R></R><S>.0</S><M>0</M>   .0Wh\r\n");
    EXPECT_EQ(errorLog(), entry(noValidData, QString()));
}

TEST_F(Logging, TicksInOneMinuteAndAcrossMidnight)
{
    window->StartLogging_Click();
    const QString frame = QStringLiteral("[<V>12</V><I>1</I>]");
    const QByteArray record = "<V>12.00</V><I>1.00</I><W>12.00</W><R></R><S>.0</S><M>0</M>   .0Wh\r\n";
    for (const int second : {10, 40}) {
        deliver(frame);
        at(14, 5, second);
        window->Timer1_Timer();
    }
    EXPECT_EQ(dayFile(), "<T>14:05</T>" + record + "<T>14:05</T>" + record);

    at(23, 59, 50);
    deliver(frame);
    at(0, 0, 0, QDate(2010, 3, 8));
    window->Timer1_Timer();
    EXPECT_EQ(dayFile("2010_03_08"), "<T>00:00</T>" + record);
    EXPECT_EQ(dayFile(), "<T>14:05</T>" + record + "<T>14:05</T>" + record);
}

TEST_F(Logging, ADayFileOfAnEarlierRunIsAppendedTo)
{
    const QByteArray earlier = "<T>09:00</T><V>12.00</V><I>1.00</I><W>12.00</W><R></R><S>.0</S><M>0</M>   .0Wh\r\n\r\n";
    folder.write(QStringLiteral("logs/P_2010_03_07.txt"), earlier);
    window->StartLogging_Click();
    deliver(QStringLiteral("[<V>12</V><I>1</I>]"));
    window->Timer1_Timer();
    EXPECT_EQ(dayFile(), earlier + "<T>14:05</T><V>12.00</V><I>1.00</I><W>12.00</W><R></R><S>.0</S><M>0</M>   .0Wh\r\n");
}

TEST_F(Logging, StartStopStartAveragesOnlyFramesAfterTheSecondStart)
{
    window->StartLogging_Click();
    deliver(QStringLiteral("[<V>10</V><I>1</I>]"));
    window->StopLogging_Click();
    deliver(QStringLiteral("[<V>20</V><I>1</I>]"));
    window->StartLogging_Click();
    deliver(QStringLiteral("[<V>14</V><I>1</I>]"));
    window->Timer1_Timer();
    EXPECT_EQ(dayFile(), "<T>14:05</T><V>14.00</V><I>1.00</I><W>14.00</W><R></R><S>.0</S><M>0</M>   .0Wh\r\n");
}

TEST_F(Logging, StartClampsTheIntervalAndRefusesText)
{
    const struct {
        const char* typed;
        const char* shown;
        int periodMs;
    } cases[] = {{"5", "10", 10000}, {"900", "600", 600000}, {"12.5", "12.5", 12500}, {"-3", "10", 10000},
                 {"10", "10", 10000}, {"600", "600", 600000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        window->StopLogging_Click();
        window->delay->setText(QString::fromLatin1(c.typed));
        window->StartLogging_Click();
        EXPECT_EQ(window->delay->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(window->Timer1.interval(), c.periodMs);
        EXPECT_TRUE(window->loggingOn());
    }
    EXPECT_TRUE(folder.user.messages.isEmpty());

    for (const char* typed : {"abc", ""}) {
        window->StopLogging_Click();
        window->delay->setText(QString::fromLatin1(typed));
        window->StartLogging_Click();
        EXPECT_FALSE(window->loggingOn());
        EXPECT_TRUE(window->StartLogging->isEnabled());
        EXPECT_EQ(window->delay->text(), QString::fromLatin1(typed));
    }
    EXPECT_EQ(folder.user.messages,
              QStringList(2, QStringLiteral("Invalid delay period, needs to be a number between 10 and 600")));
}

TEST_F(Logging, StartAndStopSwitchTheControls)
{
    // Enabled states of delay, Start, Setup, Calibrate and Stop, then whether the tick runs.
    const auto states = [this] {
        return QList<bool>{window->delay->isEnabled(), window->StartLogging->isEnabled(), window->Setup->isEnabled(),
                           window->CalibrateButton->isEnabled(), window->StopLogging->isEnabled(),
                           window->Timer1.isActive()};
    };
    window->StartLogging_Click();
    EXPECT_EQ(states(), (QList<bool>{false, false, false, false, true, true}));
    window->StopLogging_Click();
    EXPECT_EQ(states(), (QList<bool>{true, true, true, true, false, false}));
    EXPECT_TRUE(window->ShowLogs->isEnabled() && window->Exit->isEnabled() && window->Check1->isEnabled());
}

TEST_F(Logging, TheCommsBoxSwitchesTheWindowHeight)
{
    window->Check1->setChecked(false);
    window->Check1_Click();
    EXPECT_EQ(window->height(), twipsToPixels(5050));
    EXPECT_TRUE(window->messageArea->isHidden());
    window->Check1->setChecked(true);
    window->Check1_Click();
    EXPECT_EQ(window->height(), twipsToPixels(5900));
    EXPECT_FALSE(window->messageArea->isHidden());
}

TEST_F(Logging, AnHourAtOneHundredWattsAddsOneHundredWattHours)
{
    deliver(QStringLiteral("[<V>10</V><I>10</I>]"));
    for (int tick = 0; tick < 720; ++tick)
        window->Timer3_Timer();
    EXPECT_NEAR(window->wattHours, 100.0, 1e-9);
    EXPECT_TRUE(wattHourFile().isEmpty());
}

TEST_F(Logging, TwoDayStartEntriesAroundMidnight)
{
    deliver(QStringLiteral("[<V>10</V><I>10</I>]"));
    window->wattHours = 1520.04;
    at(23, 59, 58);
    window->Timer3_Timer();
    at(0, 0, 3, QDate(2010, 3, 8));
    window->Timer3_Timer();
    at(0, 0, 8, QDate(2010, 3, 8));
    window->Timer3_Timer();
    at(0, 0, 13, QDate(2010, 3, 8));
    window->Timer3_Timer();
    EXPECT_EQ(wattHourFile(), "2010_03_08,00:00  1520.2 Wh\r\n2010_03_08,00:00  .1 Wh\r\n");
    EXPECT_NEAR(window->wattHours, 2 * 100.0 / 720, 1e-9);
}

using ExitCommand = MainWindowTest;

TEST_F(ExitCommand, RecordsTheTotalClosesThePortAndTheWindow)
{
    prog.Port = QStringLiteral("3");
    start();
    window->show();
    ASSERT_TRUE(port().isOpen());
    window->wattHours = 234.56;
    folder.clock.set(QDateTime(QDate(2010, 3, 7), QTime(18, 42)));
    window->Exit_Click();
    EXPECT_FALSE(port().isOpen());
    EXPECT_FALSE(window->isVisible());
    EXPECT_DOUBLE_EQ(window->wattHours, 234.56);
    EXPECT_EQ(folder.read(QStringLiteral("logs/Whours.txt")), "2010_03_07 18:42  234.6 Wh\r\n");
}

TEST_F(Logging, UnwritableLogsAreReportedAndTheProgramCarriesOn)
{
    window->StartLogging_Click();
    // A file where the folder belongs stops every write under it (a missing folder would be
    // made again).
    ASSERT_TRUE(QDir(folder.path(QStringLiteral("logs"))).removeRecursively());
    folder.write(QStringLiteral("logs"), "in the way");
    deliver(QStringLiteral("[<V>12</V><I>1</I>]"));
    window->Timer1_Timer();
    // The rest of the tick ran.
    EXPECT_EQ(window->sampleCount, 0);
    EXPECT_DOUBLE_EQ(window->prevVolts, 12);
    EXPECT_EQ(window->Label2->text(), u"COMMS data buffer cleared");
    at(0, 0, 3, QDate(2010, 3, 8));
    window->Timer3_Timer();

    const QList<QByteArray> lines = errorLog().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("2010_03_07  14:05  log record not written  "));
    EXPECT_TRUE(lines[0].endsWith("logs/P_2010_03_07.txt <RB>  <IM> [<V>12</V><I>1</I>]\r"));
    EXPECT_TRUE(lines[1].startsWith("2010_03_08  00:00  watt-hour entry not written  "));
    EXPECT_TRUE(lines[1].endsWith("logs/Whours.txt <RB>  <IM> \r"));
    EXPECT_TRUE(window->ErrorString->text().startsWith(QStringLiteral("  Last Error trapped  00:00  ---  watt-hour")));
    EXPECT_NEAR(window->wattHours, 12.0 / 720, 1e-9);

    // A full disk is reported the same way, and frames keep being taken.
    ASSERT_TRUE(QFile::remove(folder.path(QStringLiteral("logs"))));
    ASSERT_TRUE(QDir().mkdir(folder.path(QStringLiteral("logs"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), folder.path(QStringLiteral("logs/P_2010_03_08.txt"))));
    deliver(QStringLiteral("[<V>13</V><I>1</I>]"));
    window->Timer1_Timer();
    EXPECT_TRUE(errorLog().split('\n').at(2).contains("log record not written"));
    EXPECT_DOUBLE_EQ(window->prevVolts, 13);
    deliver(QStringLiteral("[<V>14</V><I>1</I>]"));
    EXPECT_EQ(window->sampleCount, 1);
}

}  // namespace
}  // namespace corvane::test
