// How often the real corvane --service wakes its user-interface thread per frame while
// corvane-board sends 20 frames a second in its usual pieces at 57,600 baud. The port's
// reader joins the pieces on a thread of its own, so the handler runs about once a frame.
// The service draws no text, so it maps no font file either.
#include "live_programs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>

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

// The font files among the files the process has mapped.
QStringList mappedFontFiles(qint64 pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(no maps)")};
    QStringList fonts;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype slash = line.indexOf('/');
        if (slash < 0)
            continue;
        const QString path = QString::fromLocal8Bit(line.mid(slash));
        for (const char* ending : {".ttf", ".otf", ".ttc", ".pfb", ".pcf", ".pcf.gz"}) {
            if (path.endsWith(QLatin1String(ending), Qt::CaseInsensitive) && !fonts.contains(path))
                fonts << path;
        }
    }
    return fonts;
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
    // The frames were taken. A machine busy with other tests may read a frame late now and
    // then, which the log then names; a reader that lost frames would lose far more.
    const QByteArray errors = folder.readFile(QStringLiteral("errorlog.txt"));
    EXPECT_LE(errors.count("string"), frames / 20) << errors.toStdString();
    // By now the window has been built and has laid out its texts.
    EXPECT_EQ(mappedFontFiles(service.pid()), QStringList()) << "the service mapped font files";
    EXPECT_TRUE(service.terminate());
}

}  // namespace
}  // namespace corvane::e2e
