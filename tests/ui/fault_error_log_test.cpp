// An error log that cannot be written: frames and records go on, the message area still
// shows each error and says why it was not written, and entries are written again once
// the fault is gone.
#include "main_window_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <functional>
#include <ostream>
#include <stdexcept>

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

const QString kBadFrame = u"[<V>12</V><I>1</I><C>99</C>]"_s;  // a wrong checksum
const QString kNotWritten = u"Not written to the error log: "_s;

void must(bool done, const char* what)
{
    if (!done)
        throw std::runtime_error(what);
}

QString frame(int volts) { return u"[<V>"_s + QString::number(volts) + u"</V><I>1</I>]"_s; }

QString reason(int error, const QString& path) { return QString::fromLocal8Bit(std::strerror(error)) + u": "_s + path; }

QByteArray record(const char* time, const char* volts)
{
    return "<T>" + QByteArray(time) + "</T><V>" + volts + "</V><I>1.00</I><W>" + volts
           + "</W><R></R><S>.0</S><M>0</M>   .0Wh\r\n";
}

struct ErrorLogFault {
    const char* name;
    int error;
    std::function<void(const TestFolder&)> inflict;
    // Checks that the fault left the thing in the error log's place as it was.
    std::function<bool(const TestFolder&)> untouched;
    std::function<void(const TestFolder&)> repair;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ErrorLogFault& fault, std::ostream* out) { *out << fault.name; }

const ErrorLogFault kErrorLogFaults[] = {
    {"AFolderOfThatName", EISDIR,
     [](const TestFolder& f) { must(QDir(f.path()).mkdir(u"errorlog.txt"_s), "mkdir"); },
     [](const TestFolder& f) { return QDir(f.path(u"errorlog.txt"_s)).isEmpty(); },
     [](const TestFolder& f) { must(QDir(f.path()).rmdir(u"errorlog.txt"_s), "rmdir"); }},
    {"ALinkToAFullDisk", ENOSPC,
     [](const TestFolder& f) { must(QFile::link(u"/dev/full"_s, f.path(u"errorlog.txt"_s)), "link"); },
     [](const TestFolder& f) { return QFileInfo(f.path(u"errorlog.txt"_s)).symLinkTarget() == u"/dev/full"; },
     [](const TestFolder& f) { must(QFile::remove(f.path(u"errorlog.txt"_s)), "remove link"); }},
};

class UnwritableErrorLog : public MainWindowTest, public ::testing::WithParamInterface<ErrorLogFault> {
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
    QString caption() const { return window->ErrorString->text(); }
    QString tooltip() const { return window->ErrorString->toolTip(); }
};

TEST_P(UnwritableErrorLog, FramesAndRecordsGoOnAndTheMessageAreaShowsEachError)
{
    const ErrorLogFault& fault = GetParam();
    const QString why = kNotWritten + reason(fault.error, folder.path(u"errorlog.txt"_s));
    fault.inflict(folder);

    port().deliver(frame(12));
    port().deliver(kBadFrame);
    EXPECT_EQ(caption(), u"  Last Error trapped  14:05  ---  checksum error  ");
    EXPECT_EQ(window->ErrorString->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(tooltip(), why);
    port().deliver(frame(14));
    EXPECT_EQ(window->sampleCount, 2);
    EXPECT_EQ(liveRows().at(0), u"14.00|Volts");

    tickAt(6);
    EXPECT_EQ(window->Label2->text(), u"COMMS data buffer cleared");
    tickAt(7);  // an interval without frames
    EXPECT_EQ(caption(), u"  Last Error trapped  14:07  ---   No valid data recieved during logging interval  ");
    EXPECT_EQ(tooltip(), why);
    EXPECT_EQ(folder.read(u"logs/P_2010_03_07.txt"_s), record("14:06", "13.00") + record("14:07", "13.00"));
    EXPECT_TRUE(fault.untouched(folder));

    fault.repair(folder);
    port().deliver(kBadFrame);
    EXPECT_TRUE(tooltip().isEmpty());
    EXPECT_EQ(errorLog(), "2010_03_07  14:07  checksum error   <RB>  <IM> " + kBadFrame.toLatin1() + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Faults, UnwritableErrorLog, ::testing::ValuesIn(kErrorLogFaults),
                         [](const ::testing::TestParamInfo<ErrorLogFault>& info) { return std::string(info.param.name); });

using NothingWritable = MainWindowTest;

// With neither the day file nor the error log writable, the screen is the only report left.
TEST_F(NothingWritable, ALostRecordIsStillShownOnScreen)
{
    prog.Port = u"3"_s;
    prog.LogOn = u"1"_s;
    start();
    ASSERT_TRUE(window->loggingOn());
    must(QDir(folder.path()).mkdir(u"errorlog.txt"_s), "mkdir");
    must(QDir(folder.path(u"logs"_s)).removeRecursively(), "remove logs");
    folder.write(u"logs"_s, "a file where the folder belongs\r\n");

    port().deliver(frame(12));
    window->Timer1_Timer();
    EXPECT_EQ(window->ErrorString->text(), u"  Last Error trapped  14:05  ---  log record not written  "_s
                                               + reason(ENOTDIR, folder.path(u"logs/P_2010_03_07.txt"_s)));
    EXPECT_EQ(window->ErrorString->toolTip(), kNotWritten + reason(EISDIR, folder.path(u"errorlog.txt"_s)));
    EXPECT_EQ(folder.read(u"logs"_s), "a file where the folder belongs\r\n");
    EXPECT_TRUE(QDir(folder.path(u"errorlog.txt"_s)).isEmpty());
    EXPECT_DOUBLE_EQ(window->prevVolts, 12);
}

}  // namespace
}  // namespace corvane::test
