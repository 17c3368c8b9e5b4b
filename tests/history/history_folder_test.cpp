#include "day_text.h"
#include "history/history_folder.h"
#include "history/summary_cache.h"
#include "support/test_folder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::dayLine;

class HistoryFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(folder.path()).mkpath(QStringLiteral("logs"));
        folder.write(QStringLiteral("logs/P_2010_03_07.txt"), dayLine("08:00", "1.0") + dayLine("09:00", "2.0"));
        folder.write(QStringLiteral("logs/P_2010_03_05.txt"), dayLine("08:00", "7.0"));
        folder.write(QStringLiteral("logs/P_2010_03_09.txt"), "");
        // Not day files: passed over.
        folder.write(QStringLiteral("logs/Whours.txt"), "2010_03_07 08:30  1.0 Wh\r\n");
        folder.write(QStringLiteral("logs/P_2010_03_07.txt_08_00_09_00.csv"), "x");
        folder.write(QStringLiteral("logs/P_2010_02_30.txt"), dayLine("08:00", "7.0"));
        folder.write(QStringLiteral("logs/notes.txt"), dayLine("08:00", "7.0"));
    }

    std::vector<double> energies(const QDate& from = {}, const QDate& to = {})
    {
        const HistoryReading reading = readHistory(folder.path(), from, to);
        EXPECT_TRUE(reading.problems.isEmpty()) << reading.problems.join(u'\n').toStdString();
        std::vector<double> values;
        for (const DayEntry& day : reading.days)
            values.push_back(day.summary.energyWh);
        return values;
    }

    QString cachePath() const { return folder.path(kHistoryCacheFile); }

    test::TestFolder folder;
};

TEST_F(HistoryFolder, DayFilesInDateOrderWithinTheRange)
{
    // 07: the exit at 08:30 ends the first run, so 1.0 + 2.0.
    EXPECT_EQ(energies(), (std::vector<double>{7.0, 3.0, 0.0}));
    EXPECT_EQ(energies(QDate(2010, 3, 6), QDate(2010, 3, 9)), (std::vector<double>{3.0, 0.0}));
    EXPECT_EQ(energies(QDate(2010, 3, 5), QDate(2010, 3, 5)), (std::vector<double>{7.0}));
    EXPECT_TRUE(energies(QDate(2010, 3, 8), QDate(2010, 3, 6)).empty());
}

TEST_F(HistoryFolder, WritesNothingIntoLogsAndKeepsItsCacheBesideThem)
{
    const QStringList before = QDir(folder.path(QStringLiteral("logs"))).entryList(QDir::AllEntries, QDir::Name);
    energies();
    EXPECT_EQ(QDir(folder.path(QStringLiteral("logs"))).entryList(QDir::AllEntries, QDir::Name), before);
    EXPECT_TRUE(QFile::exists(cachePath()));
}

TEST_F(HistoryFolder, UsesTheCacheForAnUnchangedFileAndSummarisesAChangedOneAgain)
{
    energies();
    // Plant a different figure under the unchanged key: a reading that uses it shows it.
    const QString dayPath = folder.path(QStringLiteral("logs/P_2010_03_05.txt"));
    const QFileInfo info(dayPath);
    {
        SummaryCache cache(cachePath());
        ASSERT_TRUE(cache.load());
        cache.store(QStringLiteral("P_2010_03_05.txt"),
                    {info.size(), info.lastModified().toMSecsSinceEpoch(), {}}, {1, 42.0});
        ASSERT_TRUE(cache.save());
    }
    EXPECT_EQ(energies()[0], 42.0);

    QFile day(dayPath);
    ASSERT_TRUE(day.open(QIODevice::Append));
    day.write(dayLine("10:00", "8.5"));
    day.close();
    EXPECT_EQ(energies()[0], 8.5);
}

TEST_F(HistoryFolder, ANewExitEntrySummarisesItsDayAgain)
{
    folder.write(QStringLiteral("logs/P_2010_03_05.txt"), dayLine("08:00", "7.0") + dayLine("09:00", "8.0"));
    EXPECT_EQ(energies()[0], 8.0);
    folder.write(QStringLiteral("logs/Whours.txt"), "2010_03_05 08:00  7.0 Wh\r\n2010_03_07 08:30  1.0 Wh\r\n");
    EXPECT_EQ(energies()[0], 15.0);
}

TEST_F(HistoryFolder, DamagedCacheIsIgnoredAndWrittenAgainWhole)
{
    const std::vector<double> expected = energies();
    QFile cacheFile(cachePath());
    ASSERT_TRUE(cacheFile.open(QIODevice::ReadOnly));
    const QByteArray whole = cacheFile.readAll();
    cacheFile.close();

    for (const QByteArray& damaged : {whole.left(whole.size() / 2), whole.left(whole.size() - 1),
                                      QByteArray(whole).replace("\t7\t", "\tx\t"), QByteArray("\0\1\2", 3)}) {
        folder.write(kHistoryCacheFile, damaged);
        EXPECT_FALSE(SummaryCache(cachePath()).load());
        EXPECT_EQ(energies(), expected);
        EXPECT_TRUE(SummaryCache(cachePath()).load());
    }
}

TEST_F(HistoryFolder, UnreadableDayFileIsReportedAndLeftOut)
{
    ASSERT_TRUE(QDir(folder.path(QStringLiteral("logs"))).mkdir(QStringLiteral("P_2010_03_06.txt")));
    const HistoryReading reading = readHistory(folder.path());
    ASSERT_EQ(reading.problems.size(), 1);
    EXPECT_TRUE(reading.problems.first().startsWith(QStringLiteral("logs/P_2010_03_06.txt: ")));
    ASSERT_EQ(reading.days.size(), 3u);
    EXPECT_EQ(reading.days[1].date, QDate(2010, 3, 7));
}

}  // namespace
}  // namespace corvane
