// The real corvane program, run offscreen from a temporary program folder, reading
// corvane-board over a pseudo-terminal with a 10 s logging interval.
#include "live_programs.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>

namespace corvane::e2e {
namespace {

const QString kBoard = QStringLiteral(CORVANE_BOARD_EXECUTABLE);

// Raw frames and what they read as through the first-install calibration.
// 25.2 V, 10 A, 150 rpm, 20 km/h
const QByteArray kA = "[<V>756</V><I>612</I><R>35</R><M>0</M><S>40</S><C>1443</C>]";
// 25.4 V, 12 A, 210 rpm, 25 km/h
const QByteArray kB = "[<V>762</V><I>632</I><R>49</R><M>0</M><S>50</S><C>1493</C>]";
// 13.0 V, 5 A, 60 rpm, 10 km/h
const QByteArray kC = "[<V>390</V><I>562</I><R>14</R><M>0</M><S>20</S><C>986</C>]";
// 13.2 V, 7 A, 120 rpm, 15 km/h; its M is neither summed nor logged
const QByteArray kD = "[<V>396</V><I>582</I><R>28</R><M>5</M><S>30</S><C>1036</C>]";
// 25.0 V, 5 A, 120 rpm, 18 km/h
const QByteArray kE = "[<V>750</V><I>562</I><R>28</R><M>0</M><S>36</S><C>1376</C>]";
// 24.0 V, 20 A, 300 rpm, 30 km/h
const QByteArray kF = "[<V>720</V><I>712</I><R>70</R><M>0</M><S>60</S><C>1562</C>]";

// One of each fault that costs exactly one error-log entry.
const QByteArray kWrongChecksum = "[<V>756</V><I>612</I><R>35</R><M>0</M><S>40</S><C>1444</C>]";
const QByteArray kZeroVolts = "[<V>0</V><I>612</I><R>35</R><M>0</M><S>40</S><C>687</C>]";
const QByteArray kNoAmpsClose = "[<V>756</V><I>612<R>35</R><M>0</M><S>40</S><C>1443</C>]";
const QByteArray kLowerCase = "[<v>756</v><i>612</i><r>35</r><m>0</m><s>40</s><c>1443</c>]";
const QByteArray kReversedRevs = "[<V>756</V><I>612</I></R>35<R><M>0</M><S>40</S><C>1443</C>]";

// Frames go out every 250 ms from the moment Corvane opens the port, which is also when
// its first 10 s interval starts; each batch keeps well clear of the interval ends.
const QStringList kFrameSpacing = {QStringLiteral("--rate"), QStringLiteral("4")};

QByteArray script(const QList<QByteArray>& lines)
{
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + '\n';
    return text;
}

QByteArray repeated(const QList<QByteArray>& frames, int times)
{
    QByteArray text;
    for (int n = 0; n < times; ++n)
        text += script(frames);
    return text;
}

// A record without its time and watt-hours, which depend on the wall clock.
struct Record {
    QString values;
    double wattHours = -1;
};

Record recordOf(const QString& line)
{
    static const QRegularExpression shape(QStringLiteral("^<T>\\d\\d:\\d\\d</T>(.*</M>)   (\\d*\\.\\d)Wh$"));
    const QRegularExpressionMatch match = shape.match(line);
    if (!match.hasMatch())
        return {line};
    return {match.captured(1), match.captured(2).toDouble()};
}

// An error-log line after its date and time.
QString entryOf(const QString& line)
{
    static const QRegularExpression shape(QStringLiteral("^\\d{4}_\\d\\d_\\d\\d  \\d\\d:\\d\\d  (.*)$"));
    const QRegularExpressionMatch match = shape.match(line);
    return match.hasMatch() ? match.captured(1) : QStringLiteral("<malformed> ") + line;
}

class CorvaneLive : public testing::Test {
protected:
    void start(int port, const QByteArray& boardScript, const QStringList& boardOptions = {})
    {
        folder.writeConfiguration(port);
        folder.writeFile(QStringLiteral("script.txt"), boardScript);
        board.start(kBoard, QStringList{QStringLiteral("--folder"), folder.path(), QStringLiteral("--port"),
                                        QString::number(port), QStringLiteral("--script"),
                                        folder.path(QStringLiteral("script.txt"))} +
                                kFrameSpacing + boardOptions);
        ASSERT_TRUE(waitUntil([&] { return linked(port); }, milliseconds(10000)))
            << board.output().toStdString();
        corvane.start(folder.corvaneProgram(), {}, true);
        ASSERT_TRUE(corvane.running()) << corvane.output().toStdString();
    }

    bool linked(int port) const
    {
        return QFileInfo(folder.path(QStringLiteral("COM%1").arg(port))).isSymLink();
    }
    QStringList records() const { return crlfLines(folder.dayFiles()); }
    QStringList errorEntries() const
    {
        QStringList entries;
        for (const QString& line : crlfLines(folder.readFile(QStringLiteral("errorlog.txt"))))
            entries << entryOf(line);
        return entries;
    }
    bool waitForRecords(qsizetype count, milliseconds timeout)
    {
        return waitUntil([&] { return records().size() >= count || !corvane.running(); }, timeout) &&
               corvane.running();
    }

    ProgramFolder folder;
    Program board;
    Program corvane;
};

TEST_F(CorvaneLive, RecordsAverageTheFramesSentAndEachFaultIsLoggedOnce)
{
    const QByteArray batch1 = script({"#pause 1", kA, kB, kWrongChecksum, kA, kB, kZeroVolts, kA, kB,
                                      kNoAmpsClose, kA, kB, kLowerCase, kA, kB, kReversedRevs, kA, kB});
    // Two frames back to back: one entry, and the tick empties the buffer before any more come.
    const QByteArray batch2 = "#pause 7.25\n" + repeated({kC, kD}, 6) + "#whole " + kC + kD + "\n";
    start(5, batch1 + batch2 + "#pause 60\n");

    ASSERT_TRUE(waitForRecords(2, milliseconds(45000))) << corvane.output().toStdString();
    const QStringList lines = records();
    const QStringList errors = errorEntries();
    ASSERT_TRUE(corvane.running()) << "Corvane must still run";
    EXPECT_TRUE(corvane.terminate());

    ASSERT_EQ(lines.size(), 2) << lines.join(u'\n').toStdString();
    EXPECT_EQ(recordOf(lines[0]).values,
              QStringLiteral("<V>25.30</V><I>11.00</I><W>278.40</W><R>180</R><S>22.5</S><M>0</M>"));
    EXPECT_EQ(recordOf(lines[1]).values,
              QStringLiteral("<V>13.10</V><I>6.00</I><W>78.70</W><R>90</R><S>12.5</S><M>0</M>"));
    // Watt-hours: a few 5 s steps of at most 305 W.
    EXPECT_GE(recordOf(lines[0]).wattHours, 0.0);
    EXPECT_LE(recordOf(lines[0]).wattHours, recordOf(lines[1]).wattHours);
    EXPECT_LT(recordOf(lines[1]).wattHours, 3.0);

    const QString noError = QStringLiteral("   <RB>  <IM> ");
    const QStringList expected = {
        QStringLiteral("checksum error") + noError + kWrongChecksum,
        QStringLiteral("corrupt Volts COMM data") + noError + kZeroVolts,
        QStringLiteral("corrupt Amps COMM data") + noError + kNoAmpsClose,
        QStringLiteral("corrupt Volts COMM data") + noError + kLowerCase,
        QStringLiteral(
            " corrupt revs, or windspeed data in string  Invalid procedure call or argument <RB>  <IM> ") +
            kReversedRevs,
        // The entry carries the last frame taken, the one before the joined pair.
        QStringLiteral(" ][ or long string") + noError + kD,
    };
    EXPECT_EQ(errors, expected);
}

TEST_F(CorvaneLive, SurvivesAPulledAdapterAndReadsAgainWhenItReturns)
{
    start(6, "#pause 1\n" + repeated({kE}, 12) + repeated({kF}, 8) + "#pause 60\n",
          {QStringLiteral("--hangup-after"), QStringLiteral("12"), QStringLiteral("--reopen-after"),
           QStringLiteral("20")});

    ASSERT_TRUE(waitUntil([&] { return !linked(6); }, milliseconds(20000))) << board.output().toStdString();
    const double cpuAtUnplug = corvane.cpuSeconds();
    QElapsedTimer outage;
    outage.start();
    ASSERT_TRUE(waitUntil([&] { return linked(6); }, milliseconds(40000))) << board.output().toStdString();
    const double cpuWhileGone = corvane.cpuSeconds() - cpuAtUnplug;
    const double secondsGone = outage.elapsed() / 1000.0;
    RecordProperty("processor_seconds_while_gone", QString::number(cpuWhileGone).toStdString());
    RecordProperty("seconds_gone", QString::number(secondsGone).toStdString());
    ASSERT_TRUE(corvane.running()) << "Corvane must not crash when the device goes\n"
                                   << corvane.output().toStdString();
    EXPECT_LT(cpuWhileGone, 0.25 * secondsGone)
        << "Corvane must not spin while the device is gone: " << cpuWhileGone << " s of processor in "
        << secondsGone << " s";

    ASSERT_TRUE(waitForRecords(3, milliseconds(30000))) << corvane.output().toStdString();
    const QStringList lines = records();
    const QStringList errors = errorEntries();
    EXPECT_TRUE(corvane.terminate());

    ASSERT_EQ(lines.size(), 3) << lines.join(u'\n').toStdString();
    const QString e = QStringLiteral("<V>25.00</V><I>5.00</I><W>125.00</W><R>120</R><S>18.0</S><M>0</M>");
    EXPECT_EQ(recordOf(lines[0]).values, e);
    EXPECT_EQ(recordOf(lines[1]).values, e) << "an interval without data repeats the record before";
    EXPECT_EQ(recordOf(lines[2]).values,
              QStringLiteral("<V>24.00</V><I>20.00</I><W>480.00</W><R>300</R><S>30.0</S><M>0</M>"))
        << "the frames after the return are read without a restart";
    EXPECT_EQ(
        errors,
        QStringList{QStringLiteral(" No valid data recieved during logging interval   <RB>  <IM> ") + kE});
}

}  // namespace
}  // namespace corvane::e2e
