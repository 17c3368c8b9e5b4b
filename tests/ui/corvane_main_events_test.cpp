#include "main_window_fixture.h"

#include "logging/window_events.h"

#include <QDir>

namespace corvane::test {
namespace {

class Recorder final : public WindowEvents {
public:
    void frameAccepted(const AcceptedFrame& frame) override { frames.push_back(frame); }
    void recordWritten(const WrittenRecord& record) override { records.push_back(record); }
    void errorLogged(const QString& line) override { errors << line; }
    void frameRejected() override { ++rejected; }
    void loggingSwitched(bool on) override { logging.push_back(on); }

    int rejected = 0;
    std::vector<bool> logging;

    std::vector<AcceptedFrame> frames;
    std::vector<WrittenRecord> records;
    QStringList errors;
};

// Dividers of 1 and no offset, so frames carry volts and amps directly.
class Events : public MainWindowTest {
protected:
    void SetUp() override
    {
        prog.WSUnits = QStringLiteral("knots");
        start();
        subscription = window->subscribe(recorder);
    }
    void deliver(const QString& chunk) { port().deliver(chunk); }

    Recorder recorder;
    WindowSubscription subscription;
};

TEST_F(Events, AnAcceptedFrameIsAnnouncedWithItsRoundedValuesAndRejectedOnesAreNot)
{
    window->wattHours = 12.345;
    deliver(QStringLiteral("[<V>12.555</V><I>3.333</I><R>2</R><S>4.26</S>]"));
    deliver(QStringLiteral("[<V>12.5</V><I>3.2</I><C>99</C>]"));

    ASSERT_EQ(recorder.frames.size(), 1u);
    const AcceptedFrame& frame = recorder.frames[0];
    EXPECT_EQ(frame.time, QDateTime(QDate(2010, 3, 7), QTime(14, 5)));
    EXPECT_DOUBLE_EQ(frame.volts, 12.56);
    EXPECT_DOUBLE_EQ(frame.amps, 3.33);
    EXPECT_DOUBLE_EQ(frame.watts, 41.82);
    EXPECT_DOUBLE_EQ(frame.rpm, 120);
    EXPECT_DOUBLE_EQ(frame.windSpeed, 4.3);
    EXPECT_DOUBLE_EQ(frame.wattHours, 12.345);
    EXPECT_EQ(frame.windUnits, u"knots");
    // The checksum failure is announced as the entry it made, line for line.
    EXPECT_EQ(recorder.errors.join(QString()) + QStringLiteral("\r\n"), QString::fromLatin1(errorLog()));
}

TEST_F(Events, AWrittenRecordIsAnnouncedWithItsValuesAndAnUnwrittenOneIsNot)
{
    window->StartLogging_Click();
    deliver(QStringLiteral("[<V>12.5</V><I>3.2</I><R>2</R><S>4.2</S>]"));
    window->wattHours = 234.5;
    folder.clock.set(QDateTime(QDate(2010, 3, 7), QTime(14, 6, 30)));
    window->Timer1_Timer();

    ASSERT_EQ(recorder.records.size(), 1u);
    const WrittenRecord& record = recorder.records[0];
    EXPECT_EQ(record.date, QDate(2010, 3, 7));
    EXPECT_EQ(record.time, QTime(14, 6, 30));
    EXPECT_DOUBLE_EQ(record.means.volts, 12.5);
    EXPECT_DOUBLE_EQ(record.means.watts, 40.0);
    EXPECT_DOUBLE_EQ(record.wattHours, 234.5);
    EXPECT_EQ(record.loadFlag, 0);

    // A file where the logs folder belongs loses the record: only the entry saying so is announced.
    QDir(folder.path(QStringLiteral("logs"))).removeRecursively();
    folder.write(QStringLiteral("logs"), "in the way");
    recorder.errors.clear();
    window->Timer1_Timer();
    EXPECT_EQ(recorder.records.size(), 1u);
    ASSERT_EQ(recorder.errors.size(), 2) << recorder.errors.join(u'\n').toStdString();
    EXPECT_TRUE(recorder.errors[1].contains(QStringLiteral("log record not written")));
}

TEST_F(Events, AnOutsideEntryCarriesNoFrameAndKeepsTheLastOneForTheNextEntry)
{
    const QString frame = QStringLiteral("[<V>12.5</V><I>3.2</I><R>2</R><S>4.2</S>]");
    deliver(frame);
    window->LogOutsideEvent(QStringLiteral("MQTT connection to broker:1883 lost"), QStringLiteral("refused"));
    EXPECT_EQ(recorder.errors,
              QStringList{QStringLiteral("2010_03_07  14:05  MQTT connection to broker:1883 lost  refused <RB>  <IM> ")});
    EXPECT_EQ(window->lastFrame, frame);
    EXPECT_EQ(window->Label2->text(), frame);
    EXPECT_EQ(window->ErrorString->text(), u"  Last Error trapped  14:05  ---  MQTT connection to broker:1883 lost  refused");

    subscription.reset();
    window->trapMessage = QStringLiteral("checksum error");
    window->LogTrappedError();
    EXPECT_EQ(recorder.errors.size(), 1);
    EXPECT_TRUE(errorLog().endsWith(("checksum error   <RB>  <IM> " + frame + "\r\n").toLatin1()));
}

// Each way a notification can fail counts once, a good frame not at all; so does each switch.
TEST_F(Events, RejectedFramesAndLoggingSwitchesAreAnnouncedOnceEach)
{
    deliver(QStringLiteral("[<V>12.5</V><I>3.2</I><R>2</R><S>4.2</S>]"));
    deliver(QStringLiteral("[<V>12.5</V><I>3.2</I><C>99</C>]"));  // checksum
    deliver(QStringLiteral("]<V>1</V>["));                        // braces reversed
    deliver(QStringLiteral("[<V>0</V><I>3.2</I>]"));              // no volts
    EXPECT_EQ(recorder.rejected, 3);
    EXPECT_EQ(recorder.frames.size(), 1u);

    window->StartLogging_Click();
    window->StopLogging_Click();
    EXPECT_EQ(recorder.logging, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace corvane::test
