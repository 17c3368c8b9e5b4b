// The real corvane logs with the period typed, to the fraction of a second: the day file
// grows one record per interval, timed here by when each record appears.
#include "live_programs.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>

namespace corvane::e2e {
namespace {

TEST(LoggingPeriod, AFractionalIntervalIsKeptExactly)
{
    constexpr int kPort = 8;
    constexpr double kIntervalSeconds = 10.5;
    constexpr int kPeriods = 3;

    ProgramFolder folder;
    folder.writeConfiguration(kPort);
    QByteArray prog = folder.readFile(QStringLiteral("prog.cfg"));
    ASSERT_TRUE(prog.contains("<LogDelay>10</LogDelay>"));
    prog.replace("<LogDelay>10</LogDelay>", "<LogDelay>10.5</LogDelay>");
    folder.writeFile(QStringLiteral("prog.cfg"), prog);

    Program board;
    board.start(QStringLiteral(CORVANE_BOARD_EXECUTABLE),
                {QStringLiteral("--folder"), folder.path(), QStringLiteral("--port"), QString::number(kPort),
                 QStringLiteral("--rate"), QStringLiteral("4"), QStringLiteral("--baud"), QStringLiteral("9600")});
    ASSERT_TRUE(waitUntil([&] { return QFileInfo(folder.path(QStringLiteral("COM8"))).isSymLink(); },
                          milliseconds(10000)))
        << board.output().toStdString();
    Program corvane;
    corvane.start(folder.corvaneProgram(), {}, true);
    ASSERT_TRUE(corvane.running()) << corvane.output().toStdString();

    // The moment each record appears, polled far more finely than the 0.2 s allowed.
    QElapsedTimer clock;
    clock.start();
    QList<double> appeared;
    qsizetype seen = 0;
    const auto timeout = milliseconds(static_cast<int>((kPeriods + 2) * kIntervalSeconds * 1000));
    const bool enough = waitUntil(
        [&] {
            const qsizetype records = crlfLines(folder.dayFiles()).size();
            for (; seen < records; ++seen)
                appeared << clock.nsecsElapsed() / 1e9;
            return seen > kPeriods || !corvane.running();
        },
        timeout);
    ASSERT_TRUE(enough && corvane.running()) << "records: " << seen << "\n" << corvane.output().toStdString();

    const double period = (appeared[kPeriods] - appeared[0]) / kPeriods;
    EXPECT_NEAR(period, kIntervalSeconds, 0.2) << "records appeared at " << appeared[0] << " s, " << appeared[1]
                                               << " s, " << appeared[2] << " s, " << appeared[3] << " s";
    EXPECT_TRUE(corvane.terminate());
}

}  // namespace
}  // namespace corvane::e2e
