#include "main_window_fixture.h"

#include "text/failure.h"

using namespace Qt::StringLiterals;

namespace corvane::test {
namespace {

// The error-log line written at the fake clock's 14:05 on 7 March 2010.
QByteArray entry(const QString& message, const QString& frame, const QString& error = QString())
{
    return (QStringLiteral("2010_03_07  14:05  ") + message + QStringLiteral("  ") + error
            + QStringLiteral(" <RB>  <IM> ") + frame + QStringLiteral("\r\n"))
        .toLatin1();
}

const QString longString = QStringLiteral(" ][ or long string");
const QString bracesWrong = QStringLiteral(" braces in wrong positions  corrupt COMMS");
const QString goodFrame = QStringLiteral("[<V>745</V><I>512</I><R>12</R><M>3</M><S>40</S><C>1309</C>]");

class Receive : public MainWindowTest {
protected:
    void SetUp() override { start(); }
    void deliver(const QString& chunk) { port().deliver(chunk); }
    bool dataLampLit() const { return window->BlinkData->palette().color(QPalette::Button) == QColor(255, 0, 0); }
};

TEST_F(Receive, AFrameInPiecesIsCollectedSilently)
{
    // 59 characters: the line end that follows would make it 61.
    deliver(QStringLiteral("[<V>745</V><I>5"));
    deliver(QStringLiteral("12</I><R>12</R><M>3</M>"));
    EXPECT_EQ(window->commBuffer, u"[<V>745</V><I>512</I><R>12</R><M>3</M>");
    EXPECT_EQ(window->sampleCount, 0);
    EXPECT_FALSE(dataLampLit());

    deliver(QStringLiteral("<S>40</S><C>1309</C>]"));
    EXPECT_TRUE(window->commBuffer.isEmpty());
    EXPECT_EQ(window->lastFrame, goodFrame);
    EXPECT_EQ(window->frameText, goodFrame);
    EXPECT_EQ(window->Label2->text(), goodFrame);
    EXPECT_EQ(window->sampleCount, 1);
    EXPECT_DOUBLE_EQ(window->volts, 745);
    EXPECT_TRUE(window->trapMessage.isEmpty());
    EXPECT_TRUE(dataLampLit());
    EXPECT_TRUE(window->Timer2.isActive());
    EXPECT_TRUE(errorLog().isEmpty());
}

TEST_F(Receive, SixtyCharactersAreTakenAndSixtyOneRejected)
{
    // Text in front of "[" counts towards the limit, stays in lastFrame and is not searched.
    const QString frame = QStringLiteral("[<V>745</V><I>512</I><R>12</R><S>40</S><C>1309</C>]");
    const QString sixty = QString(60 - frame.size(), u'x') + frame;
    deliver(sixty);
    EXPECT_EQ(window->sampleCount, 1);
    EXPECT_EQ(window->lastFrame, sixty);
    EXPECT_EQ(window->frameText, frame);

    deliver(u'y' + sixty);
    EXPECT_TRUE(window->commBuffer.isEmpty());  // no frame is still arriving
    EXPECT_EQ(window->sampleCount, 1);
    EXPECT_EQ(errorLog(), entry(longString, sixty));
    EXPECT_TRUE(window->Label2->text().isEmpty());
}

// A rejected buffer keeps only the frame that has begun to arrive, so one damaged frame
// costs one entry and that frame alone, whether logging is on or off.
TEST_F(Receive, JoinedFramesCostOnlyTheDamagedFrame)
{
    for (const bool logging : {false, true}) {
        SCOPED_TRACE(logging ? "logging on" : "logging off");
        folder.ports.clear();
        start();
        if (logging)
            window->StartLogging_Click();
        deliver(QStringLiteral("[<V>745</V><I>512</I>][<V>7"));
        EXPECT_EQ(window->commBuffer, u"[<V>7");
        deliver(QStringLiteral("45</V><I>512</I>]"));
        EXPECT_EQ(window->sampleCount, 1);
        EXPECT_EQ(window->frameText, u"[<V>745</V><I>512</I>]");
        EXPECT_EQ(errorLog(), entry(longString, QString()));
        QFile::remove(folder.path(QStringLiteral("errorlog.txt")));
    }
}

TEST_F(Receive, TheStartOfTheNextFrameInTheSameChunkIsDroppedAndItsRestRejected)
{
    window->StartLogging_Click();
    deliver(QStringLiteral("[<V>745</V><I>512</I>]\r\n[<V>7"));
    EXPECT_EQ(window->sampleCount, 1);
    EXPECT_EQ(window->lastFrame, u"[<V>745</V><I>512</I>]");
    EXPECT_EQ(window->Label2->text(), u"[<V>745</V><I>512</I>]\r\n[<V>7");
    EXPECT_TRUE(window->commBuffer.isEmpty());

    deliver(QStringLiteral("46</V><I>513</I>]\r\n"));  // a "]" without "[": waits
    EXPECT_EQ(window->commBuffer, u"46</V><I>513</I>]\r\n");
    EXPECT_TRUE(errorLog().isEmpty());

    deliver(QStringLiteral("[<V>745</V>"));
    // The entry carries the last frame taken; the frame now arriving is kept and completes.
    EXPECT_EQ(errorLog(), entry(bracesWrong, QStringLiteral("[<V>745</V><I>512</I>]")));
    EXPECT_EQ(window->commBuffer, u"[<V>745</V>");
    deliver(QStringLiteral("<I>512</I>]"));
    EXPECT_EQ(window->sampleCount, 2);

    window->Timer1_Timer();  // the interval had data
    EXPECT_EQ(errorLog(), entry(bracesWrong, QStringLiteral("[<V>745</V><I>512</I>]")));
}

// The port's reader joins pieces until "]" and cuts after "]" and a line end, so the
// window sees whole frames; what it still must reject reaches it as before.
TEST_F(Receive, PiecesHandedOverByTheReaderReachTheHandlerAsWholeFrames)
{
    struct Step {
        QString piece;  // null: a logging tick
        qint64 atMs;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        QString bufferAfterFirstStep;
        int frames;
        QByteArray errorLog;
    };
    const QString noise(21, QChar(0x81));
    const Case cases[] = {
        {"a logging tick between the pieces of a frame",
         {{u"[<V>745</V><I>5"_s, 0}, {QString(), 4}, {u"12</I>]"_s, 8}},
         QString(),
         1,
         entry(QStringLiteral(" No valid data recieved during logging interval"), QString())},
        {"a chunk going on after \"]\" and CR LF gives both frames",
         {{u"[<V>745</V><I>512</I>]\r\n[<V>7"_s, 0}, {u"46</V><I>513</I>]\r\n"_s, 3}},
         QString(),
         2,
         {}},
        {"noise from a wrong baud rate is rejected once more than sixty characters have come",
         {{noise, 0}, {noise, 5}, {noise, 10}},
         QString(),
         0,
         entry(longString, QString())},
        {"\"][\" reaches the handler whole and costs the damaged frame only",
         {{u"[<V>745</V><I>512</I>][<V>7"_s, 0}, {u"45</V><I>512</I>]"_s, 2}},
         u"[<V>7"_s,
         1,
         entry(longString, QString())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.ports.clear();
        QFile::remove(folder.path(QStringLiteral("errorlog.txt")));
        start();
        for (const Step& step : c.steps) {
            if (step.piece.isNull())
                window->Timer1_Timer();
            else
                port().readPiece(step.piece, step.atMs);
            if (&step == &c.steps.front()) {
                EXPECT_EQ(window->commBuffer, c.bufferAfterFirstStep);
            }
        }
        port().quietUntil(c.steps.back().atMs + 20);
        EXPECT_EQ(window->sampleCount, c.frames);
        EXPECT_EQ(errorLog(), c.errorLog);
    }
}

TEST_F(Receive, FieldChecksRejectTheFrameWithTheirStageText)
{
    const struct {
        const char* frame;
        const char* message;
    } cases[] = {
        {"[<I>512</I>]", "corrupt Volts COMM data"},
        {"[<V></V><I>512</I>]", "corrupt Volts COMM data"},
        {"[<V>0</V><I>512</I>]", "corrupt Volts COMM data"},
        {"[<v>745</v><I>512</I>]", "corrupt Volts COMM data"},
        {"<V>9</V>[<I>512</I>]", "corrupt Volts COMM data"},
        {"[<V>745</V><I>0</I>]", "corrupt Amps COMM data"},
        {"[<V>745</V><i>512</i>]", "corrupt Amps COMM data"},
        {"[<V>745</V><I>512</I><R>12</R><S>40</S><C>1308</C>]", "checksum error"},
        {"[<V>745</V><I>512</I><R>12</R><M>99</M><S>40</S><C>1408</C>]", "checksum error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame);
        folder.write(QStringLiteral("errorlog.txt"), QByteArray());
        deliver(QString::fromLatin1(c.frame));
        EXPECT_EQ(errorLog(), entry(QString::fromLatin1(c.message), QString::fromLatin1(c.frame)));
        EXPECT_TRUE(window->Label2->text().isEmpty());
        EXPECT_TRUE(window->commBuffer.isEmpty());
    }
    EXPECT_EQ(window->sampleCount, 0);
    EXPECT_EQ(window->volts, 0.0);
}

TEST_F(Receive, FramesThatPassTheFieldChecks)
{
    const struct {
        const char* frame;
        double volts;
    } cases[] = {
        {"[<V>00</V><I>512</I>]", 0},
        {"[<V>0.0</V><I>512</I>]", 0},
        {"[<V>745</V><I>512</I><R>12</R><S>40</S>]", 745},               // no checksum
        {"[<V>745</V><I>512</I><C>none</C>]", 745},                      // not a number: unchecked
        {"[<C>1309</C><S>40</S><M>77</M><R>12</R><I>512</I><V>745</V>]", 745},  // any order, M not summed
        {"[<V>12.5</V><I>512</I><V>9</V>]", 12.5},                       // first occurrence
    };
    int frames = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame);
        deliver(QString::fromLatin1(c.frame));
        EXPECT_EQ(window->sampleCount, ++frames);
        EXPECT_DOUBLE_EQ(window->volts, c.volts);
    }
    EXPECT_TRUE(errorLog().isEmpty());
}

TEST_F(Receive, AReversedRevsPairTakesTheFailurePath)
{
    const QString frame = QStringLiteral("[<V>745</V><I>512</I></R>12<R>]");
    deliver(frame);
    EXPECT_EQ(errorLog(), entry(QStringLiteral(" corrupt revs, or windspeed data in string"), frame,
                                failure_text::invalidArgument));
    EXPECT_EQ(window->Label2->text(), u"possible corrupt COMMS data");
    EXPECT_TRUE(window->commBuffer.isEmpty());
    EXPECT_EQ(window->sampleCount, 0);
}


// Calibration that makes the raw readings easy to follow: V in hundredths of a volt, I in
// tenths of an amp above 500, three pulses per revolution, S in tenths.
class Decoding : public Receive {
protected:
    void SetUp() override
    {
        calibration.VoltDivider = QStringLiteral("100");
        calibration.VoltOffset = QStringLiteral("500");
        calibration.AmpDivider = QStringLiteral("10");
        calibration.RPMDivider = QStringLiteral("3");
        calibration.WSDivider = QStringLiteral("10");
        prog.DisplayRPM = QStringLiteral("1");
        prog.DisplayWS = QStringLiteral("1");
        prog.WSUnits = QStringLiteral("knots");
        start();
    }
};

TEST_F(Decoding, ScalesShowsAndSumsOneFrame)
{
    window->StartLogging_Click();
    window->wattHours = 12.34;
    deliver(QStringLiteral("[<V>1600</V><I>646.6</I><R>25</R><M>7</M><S>43</S>]"));
    EXPECT_DOUBLE_EQ(window->volts, 16);
    EXPECT_DOUBLE_EQ(window->amps, 14.66);
    EXPECT_DOUBLE_EQ(window->watts, 234.56);
    EXPECT_DOUBLE_EQ(window->rpm, 500);
    EXPECT_DOUBLE_EQ(window->windSpeed, 4.3);
    EXPECT_EQ(liveRows(), (QStringList{"16.00|Volts", "14.7|Amps", "234.6|Watts", "12.3|WattHours", "500|RPM",
                                       "4|knots"}));
    EXPECT_EQ(window->windowTitle(), u"Corvane  16.00V 14.7A 235W");
    EXPECT_TRUE(window->txtMode->text().isEmpty());
    EXPECT_DOUBLE_EQ(window->sumWatts, 234.56);
    EXPECT_DOUBLE_EQ(window->sumRpm, 500);
    EXPECT_DOUBLE_EQ(window->sumWindSpeed, 4.3);
}

TEST_F(Decoding, ImplausibleRevsAndNegativeCurrentReadAsZero)
{
    window->StartLogging_Click();
    deliver(QStringLiteral("[<V>1250</V><I>400</I><R>25.005</R>]"));  // 500.1 RPM, I below the offset
    EXPECT_EQ(window->amps, 0.0);
    EXPECT_EQ(window->watts, 0.0);
    EXPECT_EQ(window->rpm, 0.0);
    EXPECT_EQ(window->sumRpm, 0.0);
    EXPECT_EQ(liveRows().at(4), u"0|RPM");
    EXPECT_EQ(window->windowTitle(), u"Corvane  12.50V 0.0A 0W");
}

TEST_F(Decoding, WithLoggingOffTheSumsStayWhileFramesAreCounted)
{
    deliver(QStringLiteral("[<V>1250</V><I>600</I>]"));
    deliver(QStringLiteral("[<V>1260</V><I>600</I>]"));
    EXPECT_EQ(window->sampleCount, 2);
    EXPECT_EQ(window->sumVolts, 0.0);
    EXPECT_EQ(window->sumWatts, 0.0);
    EXPECT_DOUBLE_EQ(window->volts, 12.6);
}

TEST_F(Decoding, AZeroVoltDividerFailsEveryFrameAfterCounting)
{
    window->StartLogging_Click();
    window->VoltDivider = QStringLiteral("0");
    const QString frame = QStringLiteral("[<V>1250</V><I>600</I>]");
    deliver(frame);
    deliver(frame);
    EXPECT_EQ(window->sampleCount, 2);
    EXPECT_EQ(window->sumVolts, 0.0);
    EXPECT_EQ(window->volts, 0.0);
    const QByteArray line = entry(QStringLiteral("calculations error"), frame, failure_text::divisionByZero);
    EXPECT_EQ(errorLog(), line + line);
    EXPECT_EQ(window->Label2->text(), u"possible corrupt COMMS data");
    EXPECT_EQ(window->windowTitle(), u"Corvane - Waiting for Signal");
}

TEST_F(Decoding, ALateCalculationFailureKeepsEarlierValuesButAddsNothing)
{
    window->StartLogging_Click();
    window->WSDivider = QStringLiteral("x");
    const QString frame = QStringLiteral("[<V>1250</V><I>600</I>]");
    deliver(frame);
    EXPECT_DOUBLE_EQ(window->volts, 12.5);
    EXPECT_DOUBLE_EQ(window->amps, 10);
    EXPECT_EQ(window->sumVolts, 0.0);
    EXPECT_EQ(window->sumAmps, 0.0);
    EXPECT_EQ(errorLog(), entry(QStringLiteral("calculations error"), frame, failure_text::typeMismatch));
}

TEST_F(Decoding, ADisplayOptionThatIsNotANumberFailsTheDisplayStage)
{
    deliver(QStringLiteral("[<V>1250</V><I>600</I>]"));
    const QStringList shown = liveRows();
    window->StartLogging_Click();
    window->DisplayWS = QStringLiteral("yes");
    const QString frame = QStringLiteral("[<V>1300</V><I>700</I>]");
    deliver(frame);
    EXPECT_EQ(errorLog(), entry(QStringLiteral("display list error"), frame, failure_text::typeMismatch));
    EXPECT_DOUBLE_EQ(window->sumVolts, 13);  // the calculation stage had completed
    EXPECT_EQ(liveRows(), shown);
    EXPECT_EQ(window->windowTitle(), u"Corvane  12.50V 10.0A 125W");
    EXPECT_EQ(window->Label2->text(), u"possible corrupt COMMS data");
}

}  // namespace
}  // namespace corvane::test
