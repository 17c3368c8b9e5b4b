// A serial device that goes away and comes back, seen from the main window: the port
// reports the change, the window shows it and keeps logging, and frames are read again
// afterwards without the window touching the port. (The real port's closing and reopening
// is proven end to end against a pulled pseudo-terminal.)
#include "main_window_fixture.h"

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

const QString kPortLost = u"Port lost: waiting for the device to return"_s;
const QString kPortBack = u"Port back: waiting for COMM data"_s;

QByteArray record(const char* time, const char* volts)
{
    return "<T>" + QByteArray(time) + "</T><V>" + volts + "</V><I>1.00</I><W>" + volts
           + "</W><R></R><S>.0</S><M>0</M>   .0Wh\r\n";
}

class PortLost : public MainWindowTest {
protected:
    void SetUp() override
    {
        prog.Port = u"3"_s;
        prog.LogOn = u"1"_s;
        start();
        ASSERT_TRUE(window->loggingOn());
    }
    void tickAt(int minute)
    {
        folder.clock.set(QDateTime(QDate(2010, 3, 7), QTime(14, minute)));
        window->Timer1_Timer();
    }
};

TEST_F(PortLost, TheStatusReachesTheMessageLineAndLoggingCarriesOnUntilFramesReturn)
{
    port().deliver(u"[<V>12</V><I>1</I>]"_s);
    tickAt(6);
    const QStringList callsBefore = port().calls();

    emit port().linkStatus(kPortLost);
    EXPECT_EQ(window->Label2->text(), kPortLost);
    EXPECT_EQ(liveRows().at(0), u"12.00|Volts");

    tickAt(7);  // nothing arrived: the previous values again, and the entry that says so
    EXPECT_EQ(window->Label2->text(), u"COMMS data buffer cleared");
    EXPECT_EQ(window->ErrorString->text(), u"  Last Error trapped  14:07  ---   No valid data recieved during logging interval  ");
    emit port().linkStatus(kPortLost);  // the port repeats it while the device stays away
    EXPECT_EQ(window->Label2->text(), kPortLost);

    emit port().linkStatus(kPortBack);
    EXPECT_EQ(window->Label2->text(), kPortBack);
    port().deliver(u"[<V>14</V><I>1</I>]"_s);
    EXPECT_EQ(window->Label2->text(), u"[<V>14</V><I>1</I>]");
    tickAt(8);

    EXPECT_EQ(folder.read(u"logs/P_2010_03_07.txt"_s),
              record("14:06", "12.00") + record("14:07", "12.00") + record("14:08", "14.00"));
    EXPECT_EQ(errorLog(), "2010_03_07  14:07   No valid data recieved during logging interval   <RB>  <IM> "
                          "[<V>12</V><I>1</I>]\r\n");
    // Losing and finding the device is the port's business: no recovery, no dialog.
    EXPECT_EQ(port().calls(), callsBefore);
    EXPECT_TRUE(folder.user.events.isEmpty());
    EXPECT_TRUE(window->loggingOn());
}

}  // namespace
}  // namespace corvane::test
