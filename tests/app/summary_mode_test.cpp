#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray kHeader = "date,records,energy_wh,peak_watts,min_volts,max_volts,max_rpm,mean_wind\r\n";

QByteArray record(const QByteArray& time, const QByteArray& watts, const QByteArray& wattHours)
{
    return "<T>" + time + "</T><V>24.50</V><I>1.00</I><W>" + watts + "</W><R>120</R><S>3.5</S><M>0</M>   "
           + wattHours + "Wh\r\n";
}

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

class SummaryMode : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("logs")));
        write("P_2010_03_08.txt", record("10:00", "100.00", "5.0") + record("11:00", "250.50", "12.25"));
        write("P_2010_03_07.txt", record("10:00", "40.95", ".5"));
        write("P_2010_04_01.txt", "\r\n");
        write("Whours.txt", "2010_03_08,00:00  234.6 Wh\r\n");
        write("P_2010_03_07.txt_10_00_11_00.csv", "not a day file");
    }

    void write(const char* name, const QByteArray& bytes)
    {
        QFile file(folder.filePath(QStringLiteral("logs/") + QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    Outcome run(QStringList arguments)
    {
        QProcess process;
        // No display at all, and a locale whose decimal mark is a comma.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(CORVANE_EXECUTABLE),
                      QStringList{QStringLiteral("--summary"), QStringLiteral("--folder"), folder.path()} + arguments);
        Outcome result;
        if (!process.waitForFinished(30000))
            return result;
        result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    QTemporaryDir folder;
};

TEST_F(SummaryMode, HeaderThenOneRowPerDayFileInDateOrder)
{
    const Outcome result = run({});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, kHeader + "2010-03-07,1,0.5,40.95,24.50,24.50,120,3.5\r\n"
                                    "2010-03-08,2,12.3,250.50,24.50,24.50,120,3.5\r\n"
                                    "2010-04-01,0,,,,,,\r\n");
    EXPECT_TRUE(result.err.isEmpty()) << result.err.constData();
    // Only read: the logs hold what they held.
    EXPECT_EQ(QDir(folder.filePath(QStringLiteral("logs"))).count(), 2u + 5u);
}

TEST_F(SummaryMode, RangeIncludesBothEnds)
{
    struct Case {
        QStringList arguments;
        QByteArray dates;
    };
    const Case cases[] = {
        {{"--from", "2010-03-08"}, "2010-03-08,2010-04-01,"},
        {{"--to", "2010-03-08"}, "2010-03-07,2010-03-08,"},
        {{"--from", "2010-03-08", "--to", "2010-03-08"}, "2010-03-08,"},
        {{"--from", "2010-03-09", "--to", "2010-03-31"}, ""},
        {{"--from", "2010-03-09", "--to", "2010-03-08"}, ""},
    };
    for (const Case& c : cases) {
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.status, 0) << c.arguments.join(u' ').toStdString();
        ASSERT_TRUE(result.out.startsWith(kHeader));
        QByteArray dates;
        for (const QByteArray& line : result.out.mid(kHeader.size()).split('\n'))
            if (!line.isEmpty())
                dates += line.left(10) + ',';
        EXPECT_EQ(dates, c.dates) << c.arguments.join(u' ').toStdString();
    }
}

TEST_F(SummaryMode, UnreadableDayFileIsReportedLeftOutAndEndsWithStatusOne)
{
    ASSERT_TRUE(QDir(folder.filePath(QStringLiteral("logs"))).mkdir(QStringLiteral("P_2010_03_09.txt")));
    const Outcome result = run({});
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(result.out.contains("2010-03-09"));
    EXPECT_TRUE(result.out.contains("2010-03-08,2,"));
    EXPECT_TRUE(result.out.contains("2010-04-01,0,"));
    EXPECT_TRUE(result.err.contains("P_2010_03_09.txt")) << result.err.constData();
}

TEST_F(SummaryMode, UsageErrorsEndWithStatusTwo)
{
    for (const QStringList& arguments : {QStringList{"--from", "2010-3-8"}, QStringList{"--to", "2010-02-30"},
                                         QStringList{"--from"}, QStringList{"--sumary"}}) {
        const Outcome result = run(arguments);
        EXPECT_EQ(result.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
}

TEST_F(SummaryMode, FolderWithoutLogsGivesTheHeaderAlone)
{
    QTemporaryDir empty;
    QProcess process;
    process.start(QStringLiteral(CORVANE_EXECUTABLE),
                  {QStringLiteral("--summary"), QStringLiteral("--folder"), empty.path()});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), kHeader);
}

}  // namespace
