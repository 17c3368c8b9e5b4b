// The owner's program run for real: a small shell script that records what it was given.
#include "alerts/command_runner.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace corvane {
namespace {

// Records its arguments and the four variables on one line of the file named first; its
// behaviour follows the alert key: "fail" exits 3, "hang" waits on a child of its own,
// "loud" prints a megabyte first.
const char* const kScript = R"(#!/bin/sh
out=$1; shift
case "$2" in
  fail) exit 3 ;;
  hang) sleep 60 & echo $! > "$out.child"; wait; exit 0 ;;
  loud) head -c 1048576 /dev/zero; head -c 1048576 /dev/zero >&2 ;;
esac
printf '[%s]' "$@" "$CORVANE_ALERT" "$CORVANE_STATE" "$CORVANE_MESSAGE" "$CORVANE_VOLTS" >> "$out"
echo >> "$out"
)";

class CommandRunnerTest : public testing::Test {
protected:
    void SetUp() override
    {
        QFile script(m_dir.filePath(QStringLiteral("alert.sh")));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(kScript);
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The script with the record file and one fixed argument holding a blank.
    QString command() const
    {
        return QStringLiteral("'%1' '%2' 'fixed arg'").arg(m_dir.filePath(QStringLiteral("alert.sh")), recordFile());
    }
    QString recordFile() const { return m_dir.filePath(QStringLiteral("calls.txt")); }
    QStringList recorded() const
    {
        QFile file(recordFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    // Runs the event loop until the runner has nothing left to do (at most 10 s).
    static bool waitIdle(CommandRunner& runner)
    {
        QEventLoop loop;
        QObject::connect(&runner, &CommandRunner::idle, &loop, &QEventLoop::quit);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        return !runner.busy();
    }

    // Runs the event loop until `condition` holds (at most 2 s): a killed process takes a
    // moment to die.
    static bool eventually(const std::function<bool()>& condition)
    {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (condition())
                loop.quit();
        });
        poll.start(10);
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        if (!condition())
            loop.exec();
        return condition();
    }

    static AlertChange change(const char* key, bool raised, std::optional<double> volts = std::nullopt)
    {
        return {QString::fromLatin1(key), raised, QDateTime(), QStringLiteral("battery at 11.62 V, \"below\" $HOME"),
                volts};
    }

    QTemporaryDir m_dir;
    QStringList m_entries;
    CommandRunner::ErrorLogger logger()
    {
        return [this](const QString& message, const QString& reason) {
            // What had run by the time of the entry shows the programs ran one after another.
            m_entries << message + u'|' + reason + u'|' + QString::number(recorded().size());
        };
    }
};

TEST(SplitCommandLine, SplitsAsAShellWouldWithoutExpandingAnything)
{
    const struct {
        const char* command;
        std::optional<QStringList> words;
    } cases[] = {
        {"", QStringList()},
        {"  /usr/bin/notify  ", QStringList{"/usr/bin/notify"}},
        {"curl -d 'a b'  \"c d\"", QStringList{"curl", "-d", "a b", "c d"}},
        {"say it\\ loud 'don'\\''t' \"\\$HOME \\x\"", QStringList{"say", "it loud", "don't", "$HOME \\x"}},
        {"a'b'\"c\" ''", QStringList{"abc", ""}},
        {"send 'unclosed", std::nullopt},
        {"send \"unclosed", std::nullopt},
    };
    for (const auto& row : cases)
        EXPECT_EQ(splitCommandLine(QString::fromLatin1(row.command)), row.words) << row.command;
}

TEST_F(CommandRunnerTest, RunsEachChangeInTurnWithItsArgumentsAndEnvironmentNeverThroughAShell)
{
    CommandRunner runner(command(), logger());
    runner.alertChanged(change("battery_low", true, 11.6234));
    runner.alertChanged(change("loud", false));
    runner.alertChanged(change("no_data", true));
    EXPECT_TRUE(recorded().isEmpty()) << "the caller returns before anything runs";
    ASSERT_TRUE(waitIdle(runner));

    const QString message = QStringLiteral("battery at 11.62 V, \"below\" $HOME");
    EXPECT_EQ(recorded(),
              QStringList({QStringLiteral("[fixed arg][battery_low][raised][%1][battery_low][raised][%1][11.62]").arg(message),
                           QStringLiteral("[fixed arg][loud][cleared][%1][loud][cleared][%1][]").arg(message),
                           QStringLiteral("[fixed arg][no_data][raised][%1][no_data][raised][%1][]").arg(message)}));
    EXPECT_TRUE(m_entries.isEmpty()) << m_entries.join(u'\n').toStdString();
}

TEST_F(CommandRunnerTest, AMissingProgramANonZeroStatusOrAHangGiveOneEntryEachAndTheNextStillRuns)
{
    CommandRunner runner(command(), logger(), std::chrono::milliseconds(300));
    runner.alertChanged(change("fail", true));
    runner.alertChanged(change("hang", true));
    runner.alertChanged(change("battery_high", false, 14.9));
    ASSERT_TRUE(waitIdle(runner));
    const QString program = m_dir.filePath(QStringLiteral("alert.sh"));
    EXPECT_EQ(m_entries, QStringList({QStringLiteral("Alert command for fail raised ended with status 3|%1|0").arg(program),
                                      QStringLiteral("Alert command for hang raised killed after 0.3 s|%1|0").arg(program)}));
    EXPECT_EQ(recorded().size(), 1);

    // The hanging program's own child went with it.
    QFile childFile(recordFile() + QStringLiteral(".child"));
    ASSERT_TRUE(childFile.open(QIODevice::ReadOnly));
    const QByteArray child = childFile.readAll().trimmed();
    const auto childGone = [&] {
        QFile stat(QStringLiteral("/proc/") + QString::fromLatin1(child) + QStringLiteral("/stat"));
        // Gone, or dead and waiting for whoever adopted it to collect it.
        return !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ");
    };
    EXPECT_TRUE(eventually(childGone)) << "child " << child.toStdString();

    m_entries.clear();
    CommandRunner missing(QStringLiteral("/nonexistent/alert-program --flag"), logger());
    missing.alertChanged(change("battery_low", true));
    missing.alertChanged(change("battery_low", false));
    ASSERT_TRUE(waitIdle(missing));
    ASSERT_EQ(m_entries.size(), 2) << m_entries.join(u'\n').toStdString();
    EXPECT_TRUE(m_entries[0].startsWith(u"Alert command for battery_low raised could not be started|"));
    EXPECT_TRUE(m_entries[1].startsWith(u"Alert command for battery_low cleared could not be started|"));
    EXPECT_TRUE(m_entries[0].contains(u"No such file")) << m_entries[0].toStdString();

    m_entries.clear();
    CommandRunner unclosed(QStringLiteral("notify 'alert"), logger());
    unclosed.alertChanged(change("no_data", true));
    EXPECT_TRUE(waitIdle(unclosed));
    EXPECT_EQ(m_entries, QStringList{QStringLiteral("Alert command for no_data raised could not be started|a quote in "
                                                    "the Command of alerts.cfg is not closed|1")});
}

TEST_F(CommandRunnerTest, BehindAHangingProgramFiftyWaitAndTheRestAreCountedInOneEntry)
{
    CommandRunner runner(command(), logger(), std::chrono::milliseconds(300));
    runner.alertChanged(change("hang", true));
    QCoreApplication::processEvents();  // it starts
    for (int n = 0; n < 53; ++n)
        runner.alertChanged(change("battery_low", n % 2 == 0));
    ASSERT_TRUE(waitIdle(runner));
    const QString program = m_dir.filePath(QStringLiteral("alert.sh"));
    EXPECT_EQ(m_entries, QStringList({QStringLiteral("Alert command for hang raised killed after 0.3 s|%1|0").arg(program),
                                      QStringLiteral("3 alert commands dropped while an earlier one ran|%1|50").arg(program)}));
    EXPECT_EQ(recorded().size(), 50);
}

}  // namespace
}  // namespace corvane
