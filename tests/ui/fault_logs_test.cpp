// Disk faults under the logs folder while logging runs: the program carries on, every lost
// record and watt-hour entry is reported, writing resumes once the fault is gone, and
// nothing already on disk changes. The tests run as root, so faults are made with means
// that stop root too: a folder moved away, a file where the folder belongs, /dev/full,
// a file size limit.
#include "main_window_fixture.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <cstring>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <sys/resource.h>

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

const QByteArray kEarlierDay = "<T>09:00</T><V>12.50</V><I>2.00</I><W>25.00</W><R>120</R><S>3.5</S><M>0</M>   40.2Wh\r\n"
                               "<T>09:01</T><V>12.51</V><I>2.10</I><W>26.27</W><R>118</R><S>3.4</S><M>0</M>   40.6Wh\r\n"
                               "\r\n";
const QByteArray kEarlierWattHours = "2010_03_07,00:00  1520.2 Wh\r\n2010_03_07,00:00  .1 Wh\r\n";
const QByteArray kEarlierErrors = "2010_03_07  08:59  checksum error   <RB>  <IM> [<V>1</V><I>2</I><C>9</C>]\r\n";

void must(bool done, const char* what)
{
    if (!done)
        throw std::runtime_error(what);
}

// The record of an interval of frames with `volts` V and 1 A, dividers 1, no watt-hours.
QByteArray record(const char* time, int volts)
{
    const QByteArray v = QByteArray::number(volts) + ".00";
    return "<T>" + QByteArray(time) + "</T><V>" + v + "</V><I>1.00</I><W>" + v + "</W><R></R><S>.0</S><M>0</M>   .0Wh\r\n";
}

QString frame(int volts) { return u"[<V>"_s + QString::number(volts) + u"</V><I>1</I>]"_s; }

// The reason the program gives for a file it could not write: the system's text and the path.
QString reason(int error, const QString& path) { return QString::fromLocal8Bit(std::strerror(error)) + u": "_s + path; }

QByteArray entry(const char* date, const char* time, const QString& message, const QString& error,
                 const QString& lastFrame)
{
    return (QLatin1String(date) + u"  "_s + QLatin1String(time) + u"  "_s + message + u"  "_s + error
            + u" <RB>  <IM> "_s + lastFrame + u"\r\n"_s)
        .toLatin1();
}

struct LogsFault {
    const char* name;
    int error;  // what the system reports for every file under logs while the fault lasts
    std::function<void(const TestFolder&)> inflict;
    std::function<void(const TestFolder&)> repair;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const LogsFault& fault, std::ostream* out) { *out << fault.name; }

void moveAway(const TestFolder& folder, const QString& name)
{
    must(QFile::rename(folder.path(name), folder.path(name + u".away"_s)), "cannot move away");
}

void bringBack(const TestFolder& folder, const QString& name)
{
    must(QFile::rename(folder.path(name + u".away"_s), folder.path(name)), "cannot bring back");
}

const QString kLogFiles[] = {u"logs/P_2010_03_07.txt"_s, u"logs/P_2010_03_08.txt"_s, u"logs/Whours.txt"_s};
const QByteArray kFileInTheWay = "not a folder\r\n";

const LogsFault kLogsFaults[] = {
    {"FolderReplacedByAFile", ENOTDIR,
     [](const TestFolder& f) {
         moveAway(f, u"logs"_s);
         f.write(u"logs"_s, kFileInTheWay);
     },
     [](const TestFolder& f) {
         must(f.read(u"logs"_s) == kFileInTheWay, "the file in the folder's place was changed");
         must(QFile::remove(f.path(u"logs"_s)), "cannot remove the file");
         bringBack(f, u"logs"_s);
     }},
    {"DiskFull", ENOSPC,
     [](const TestFolder& f) {
         for (const QString& name : kLogFiles) {
             if (f.exists(name))
                 moveAway(f, name);
             must(QFile::link(u"/dev/full"_s, f.path(name)), "cannot link /dev/full");
         }
     },
     [](const TestFolder& f) {
         for (const QString& name : kLogFiles) {
             must(QFile::remove(f.path(name)), "cannot remove the link");
             if (f.exists(name + u".away"_s))
                 bringBack(f, name);
         }
     }},
};

class LogsFaultDuringLogging : public MainWindowTest, public ::testing::WithParamInterface<LogsFault> {
protected:
    void SetUp() override
    {
        must(QDir(folder.path()).mkdir(u"logs"_s), "cannot make logs");
        folder.write(u"logs/P_2010_03_07.txt"_s, kEarlierDay);
        folder.write(u"logs/Whours.txt"_s, kEarlierWattHours);
        folder.write(u"errorlog.txt"_s, kEarlierErrors);
        prog.Port = u"3"_s;
        prog.LogOn = u"1"_s;
        at(23, 56, 30);
        start();
        ASSERT_TRUE(window->loggingOn());
    }
    void at(int hour, int minute, int second = 0)
    {
        const QDate date = hour < 12 ? QDate(2010, 3, 8) : QDate(2010, 3, 7);
        folder.clock.set(QDateTime(date, QTime(hour, minute, second)));
    }
    // One interval: a frame, then the logging tick at the given minute.
    void interval(int volts, int hour, int minute)
    {
        port().deliver(frame(volts));
        at(hour, minute);
        window->Timer1_Timer();
    }
};

TEST_P(LogsFaultDuringLogging, EveryLostLineIsReportedAndNothingOnDiskChanges)
{
    const LogsFault& fault = GetParam();
    const auto why = [&](const char* name) { return reason(fault.error, folder.path(u"logs/"_s + QLatin1String(name))); };

    interval(12, 23, 57);
    fault.inflict(folder);
    interval(13, 23, 58);
    // The rest of the tick ran, and the user sees what was lost and why.
    EXPECT_EQ(window->ErrorString->text(), u"  Last Error trapped  23:58  ---  log record not written  "_s + why("P_2010_03_07.txt"));
    EXPECT_EQ(window->ErrorString->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(window->Label2->text(), u"COMMS data buffer cleared");
    EXPECT_DOUBLE_EQ(window->prevVolts, 13);
    EXPECT_EQ(window->sampleCount, 0);
    EXPECT_TRUE(window->loggingOn());

    interval(14, 23, 59);
    at(0, 0, 3);
    window->Timer3_Timer();  // the day-start entry of Whours.txt
    interval(15, 0, 1);
    fault.repair(folder);

    interval(16, 0, 2);
    EXPECT_DOUBLE_EQ(window->volts, 16);
    at(0, 3);
    window->Exit_Click();

    EXPECT_EQ(folder.read(u"logs/P_2010_03_07.txt"_s), kEarlierDay + record("23:57", 12));
    EXPECT_EQ(folder.read(u"logs/P_2010_03_08.txt"_s), record("00:02", 16));
    EXPECT_EQ(folder.read(u"logs/Whours.txt"_s), kEarlierWattHours + "2010_03_08 00:03  .0 Wh\r\n");
    EXPECT_EQ(errorLog(), kEarlierErrors
                              + entry("2010_03_07", "23:58", u"log record not written"_s, why("P_2010_03_07.txt"), frame(13))
                              + entry("2010_03_07", "23:59", u"log record not written"_s, why("P_2010_03_07.txt"), frame(14))
                              + entry("2010_03_08", "00:00", u"watt-hour entry not written"_s, why("Whours.txt"), QString())
                              + entry("2010_03_08", "00:01", u"log record not written"_s, why("P_2010_03_08.txt"), frame(15)));
    EXPECT_TRUE(folder.user.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Faults, LogsFaultDuringLogging, ::testing::ValuesIn(kLogsFaults),
                         [](const ::testing::TestParamInfo<LogsFault>& info) { return std::string(info.param.name); });

// A logs folder removed while logging runs is made again at the next record: nothing is
// lost, nothing needs reporting, and the folder moved away keeps what it held.
TEST_F(LogsFaultDuringLogging, ARemovedFolderIsMadeAgainAndNoRecordIsLost)
{
    interval(12, 23, 57);
    moveAway(folder, u"logs"_s);
    interval(13, 23, 58);
    at(0, 0, 3);
    window->Timer3_Timer();

    EXPECT_EQ(folder.read(u"logs.away/P_2010_03_07.txt"_s), kEarlierDay + record("23:57", 12));
    EXPECT_EQ(folder.read(u"logs.away/Whours.txt"_s), kEarlierWattHours);
    EXPECT_EQ(folder.read(u"logs/P_2010_03_07.txt"_s), record("23:58", 13));
    EXPECT_TRUE(folder.read(u"logs/Whours.txt"_s).startsWith("2010_03_08,00:00  "));
    EXPECT_EQ(errorLog(), kEarlierErrors);
}

// The file size limit applies to root too. Writing stops in the middle of the record, as
// on a disk that fills up during the write; SIGXFSZ is ignored so the write fails instead.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        must(::getrlimit(RLIMIT_FSIZE, &m_before) == 0, "getrlimit");
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_before;
        limit.rlim_cur = bytes;
        must(::setrlimit(RLIMIT_FSIZE, &limit) == 0, "setrlimit");
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_before{};
    void (*m_handler)(int) = nullptr;
};

using PartialWrite = MainWindowTest;

TEST_F(PartialWrite, ARecordCutShortIsTakenBackSoTheDayFileHoldsOnlyWholeLines)
{
    // Earlier lines enough that the error log entry still fits under the limit.
    QByteArray earlier;
    for (int minute = 10; minute < 40; ++minute)
        earlier += record(QByteArray("09:" + QByteArray::number(minute)).constData(), 12);
    must(QDir(folder.path()).mkdir(u"logs"_s), "cannot make logs");
    folder.write(u"logs/P_2010_03_07.txt"_s, earlier);
    prog.LogOn = u"1"_s;
    prog.Port = u"3"_s;
    start();

    port().deliver(frame(13));
    {
        const FileSizeLimit limit(static_cast<rlim_t>(earlier.size()) + 10);
        window->Timer1_Timer();
    }
    EXPECT_EQ(folder.read(u"logs/P_2010_03_07.txt"_s), earlier);
    const QString why = reason(EFBIG, folder.path(u"logs/P_2010_03_07.txt"_s));
    EXPECT_EQ(errorLog(), entry("2010_03_07", "14:05", u"log record not written"_s, why, frame(13)));
    EXPECT_EQ(window->ErrorString->text(), u"  Last Error trapped  14:05  ---  log record not written  "_s + why);

    port().deliver(frame(14));
    folder.clock.advanceSeconds(60);
    window->Timer1_Timer();
    EXPECT_EQ(folder.read(u"logs/P_2010_03_07.txt"_s), earlier + record("14:06", 14));
}

}  // namespace
}  // namespace corvane::test
