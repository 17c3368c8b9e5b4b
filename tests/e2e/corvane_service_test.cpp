// The real corvane run unattended (--service), stopped by signals, kept to one per
// program folder, and the viewer beside a running logger; corvane-board plays the device
// over a pseudo-terminal.
#include "live_programs.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

namespace corvane::e2e {
namespace {

const QString kBoard = QStringLiteral(CORVANE_BOARD_EXECUTABLE);
const QString kPortProblem = QStringLiteral("There is a possible Port Number problem. Check available PORTS");
constexpr int kPort = 6;

class CorvaneService : public testing::Test {
protected:
    void SetUp() override { folder.writeConfiguration(kPort); }

    void startBoard()
    {
        board.start(kBoard, {QStringLiteral("--folder"), folder.path(), QStringLiteral("--port"), QString::number(kPort),
                             QStringLiteral("--rate"), QStringLiteral("4")});
        ASSERT_TRUE(waitUntil([&] { return QFileInfo(folder.path(QStringLiteral("COM6"))).isSymLink(); },
                              milliseconds(10000)))
            << board.output().toStdString();
    }
    void startService(Program& program)
    {
        program.start(folder.corvaneProgram(), {QStringLiteral("--service")});
        ASSERT_TRUE(program.running()) << program.output().toStdString();
    }
    // The service holds the folder once its lock file names it.
    bool holdsFolder(const Program& program) const
    {
        return folder.readFile(QStringLiteral("corvane.lock")).trimmed() == QByteArray::number(program.pid());
    }
    QStringList errorLog() const { return crlfLines(folder.readFile(QStringLiteral("errorlog.txt"))); }
    QStringList records() const { return crlfLines(folder.dayFiles()); }
    // Stops `program` with SIGTERM and returns how long it took to end, or -1.
    static qint64 msToEndAfterSigterm(Program& program)
    {
        QElapsedTimer clock;
        clock.start();
        return program.terminate(milliseconds(10000)) ? clock.elapsed() : -1;
    }

    ProgramFolder folder;
    Program board;
    Program service;
};

TEST_F(CorvaneService, ADeviceThatAppearsLateIsWaitedForWithOneEntryAndNoPrompt)
{
    startService(service);
    ASSERT_TRUE(waitUntil([&] { return !errorLog().isEmpty(); }, milliseconds(5000))) << service.output().toStdString();
    QThread::msleep(4500);  // the adapter turns up 5 s after the start
    startBoard();

    ASSERT_TRUE(waitUntil([&] { return records().size() >= 2 || !service.running(); }, milliseconds(30000)))
        << service.output().toStdString();
    ASSERT_TRUE(service.running()) << service.output().toStdString();

    EXPECT_EQ(errorLog().filter(QStringLiteral("port not available")).size(), 1) << errorLog().join(u'\n').toStdString();
    EXPECT_TRUE(errorLog().value(0).contains(QStringLiteral("  port not available  "))) << errorLog().value(0).toStdString();
    // Data arrived within the first interval: its record carries readings, and no interval
    // went without data.
    EXPECT_TRUE(errorLog().filter(QStringLiteral("No valid data")).isEmpty()) << errorLog().join(u'\n').toStdString();
    EXPECT_FALSE(records().value(0).contains(QStringLiteral("<V>.00</V>"))) << records().value(0).toStdString();

    const QString output = service.output();
    EXPECT_EQ(output.count(kPortProblem), 1) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("COM6 opened: receiving data"))) << output.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("needs a screen"))) << output.toStdString();
    static const QRegularExpression dated(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d corvane: "));
    for (const QString& line : output.split(u'\n', Qt::SkipEmptyParts))
        EXPECT_TRUE(dated.match(line).hasMatch()) << line.toStdString();
}

TEST_F(CorvaneService, SigtermIsTheExitCommand)
{
    startBoard();
    startService(service);
    ASSERT_TRUE(waitUntil([&] { return holdsFolder(service); }, milliseconds(5000)));
    QThread::msleep(500);

    const qint64 ms = msToEndAfterSigterm(service);
    EXPECT_GE(ms, 0);
    EXPECT_LT(ms, 2000);
    EXPECT_EQ(service.finish(), 0) << service.output().toStdString();
    static const QRegularExpression exitEntry(QStringLiteral("^\\d{4}_\\d\\d_\\d\\d \\d\\d:\\d\\d  +\\d*\\.\\d Wh$"));
    const QStringList entries = crlfLines(folder.readFile(QStringLiteral("logs/Whours.txt")));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_TRUE(exitEntry.match(entries[0]).hasMatch()) << entries[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder.path(QStringLiteral("corvane.lock"))));
}

TEST_F(CorvaneService, ASecondCorvaneInTheSameFolderEndsWithStatusOne)
{
    startService(service);
    ASSERT_TRUE(waitUntil([&] { return holdsFolder(service); }, milliseconds(5000)));
    const QString message =
        QStringLiteral("Corvane is already running in %1 (process %2).").arg(folder.path()).arg(service.pid());

    Program second;
    startService(second);
    EXPECT_EQ(second.finish(), 1);
    EXPECT_TRUE(second.output().trimmed().endsWith(message)) << second.output().toStdString();
    EXPECT_TRUE(service.running());
}

TEST_F(CorvaneService, TheViewerOpensBesideARunningService)
{
    startService(service);
    ASSERT_TRUE(waitUntil([&] { return holdsFolder(service); }, milliseconds(5000)));

    Program viewer;
    viewer.start(folder.corvaneProgram(), {QStringLiteral("--viewer")}, true);
    QThread::msleep(1500);
    EXPECT_TRUE(viewer.running()) << viewer.output().toStdString();
    EXPECT_FALSE(viewer.output().contains(QStringLiteral("already running"))) << viewer.output().toStdString();
    EXPECT_TRUE(holdsFolder(service));
    const qint64 ms = msToEndAfterSigterm(viewer);
    EXPECT_GE(ms, 0);
    EXPECT_LT(ms, 2000);
}

TEST_F(CorvaneService, SigtermEndsTheWindowWhileItsStartUpAsksAboutThePort)
{
    Program window;
    window.start(folder.corvaneProgram(), {}, true);
    // The entry is written just before the question is put.
    ASSERT_TRUE(waitUntil([&] { return !errorLog().isEmpty(); }, milliseconds(10000))) << window.output().toStdString();
    QThread::msleep(500);

    const qint64 ms = msToEndAfterSigterm(window);
    EXPECT_GE(ms, 0);
    EXPECT_LT(ms, 2000);
    EXPECT_EQ(window.finish(), 0);
    EXPECT_EQ(errorLog().size(), 1) << errorLog().join(u'\n').toStdString();
    EXPECT_TRUE(folder.readFile(QStringLiteral("logs/Whours.txt")).isEmpty()) << "only the Exit button writes it";
    EXPECT_FALSE(QFileInfo::exists(folder.path(QStringLiteral("corvane.lock"))));
}

TEST_F(CorvaneService, WithoutADisplayTheWindowAndTheViewerSayWhatToDo)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    for (const QStringList& arguments : {QStringList{}, QStringList{QStringLiteral("--viewer")}}) {
        Program program;
        program.start(folder.corvaneProgram(), arguments, environment);
        EXPECT_EQ(program.finish(), 2) << arguments.join(u' ').toStdString();
        EXPECT_EQ(program.output(), QStringLiteral("corvane: no display; run 'corvane --service' to log without a screen\n"));
    }
}

}  // namespace
}  // namespace corvane::e2e
