// How often the real corvane --service wakes its user-interface thread per frame while
// corvane-board sends 20 frames a second in its usual pieces at 57,600 baud. The port's
// reader joins the pieces on a thread of its own, so the handler runs about once a frame.
#include "live_programs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

namespace corvane::e2e {
namespace {

constexpr int kPort = 5;

// Times the main thread (whose id is the process's) went to sleep and was woken.
long mainThreadWakeUps(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/task/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("voluntary_ctxt_switches:"))
            return line.mid(line.indexOf(':') + 1).trimmed().toLong();
    }
    return -1;
}

long framesSent(Program& board) { return board.output().count(u'['); }

// Lets time pass while the board's output is still collected.
void wait(milliseconds time)
{
    waitUntil([] { return false; }, time);
}

TEST(ServiceWakeUps, TheUserInterfaceThreadWakesAtMostOneAndAHalfTimesAFrame)
{
    ProgramFolder folder;
    folder.writeConfiguration(kPort);
    Program board;
    board.start(QStringLiteral(CORVANE_BOARD_EXECUTABLE),
                {QStringLiteral("--folder"), folder.path(), QStringLiteral("--port"), QString::number(kPort),
                 QStringLiteral("--rate"), QStringLiteral("20"), QStringLiteral("--baud"), QStringLiteral("57600"),
                 QStringLiteral("--verbose")});
    ASSERT_TRUE(waitUntil([&] { return QFileInfo(folder.path(QStringLiteral("COM5"))).isSymLink(); },
                          milliseconds(10000)))
        << board.output().toStdString();
    Program service;
    service.start(folder.corvaneProgram(), {QStringLiteral("--service")});
    // Start-up over: frames flow.
    ASSERT_TRUE(waitUntil([&] { return framesSent(board) >= 20; }, milliseconds(10000))) << board.output().toStdString();
    wait(milliseconds(1000));

    const long wakeUps0 = mainThreadWakeUps(service.pid());
    const long frames0 = framesSent(board);
    wait(milliseconds(8000));
    const long wakeUps1 = mainThreadWakeUps(service.pid());
    const long frames = framesSent(board) - frames0;
    ASSERT_TRUE(service.running()) << service.output().toStdString();
    ASSERT_GE(wakeUps0, 0);
    ASSERT_GE(frames, 100) << "the board sent too few frames to judge";

    const double perFrame = static_cast<double>(wakeUps1 - wakeUps0) / static_cast<double>(frames);
    RecordProperty("wake_ups_per_frame", QString::number(perFrame, 'f', 2).toStdString());
    EXPECT_LE(perFrame, 1.5) << (wakeUps1 - wakeUps0) << " wake-ups for " << frames << " frames";
    // The frames were taken: nothing in the error log says otherwise.
    EXPECT_FALSE(folder.readFile(QStringLiteral("errorlog.txt")).contains("string"))
        << folder.readFile(QStringLiteral("errorlog.txt")).toStdString();
    EXPECT_TRUE(service.terminate());
}

}  // namespace
}  // namespace corvane::e2e
