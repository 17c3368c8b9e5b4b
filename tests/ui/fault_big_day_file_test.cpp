// Day files far beyond anything the logger writes: the viewer answers within seconds with
// what it could load or the limit message, and leaves the file as it was apart from the
// empty line every load appends. The files are made in the test's folder at run time.
#include "graph_fixture.h"

#include "viewer/day_file_text.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstdint>
#include <cstring>
#include <map>

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

// A guard against a viewer that reads for minutes, not a measurement.
constexpr qint64 kAnswerWithinMs = 10'000;

// The sanitizers slow the loader down about thirtyfold. They look for memory faults, which
// a tenth of the lines finds as well; the time is judged in the optimised build.
#if defined(__SANITIZE_ADDRESS__)
constexpr qsizetype kShortLines = 1'000'000;
#else
constexpr qsizetype kShortLines = 10'000'000;
#endif

const QString kOverLimit = u"Over 10,000 records, too many to display. Please use a smaller time range. If you set you "
                           u"logging interval to 10 seconds or more, you wont have this problem in the future. "_s;

// The same bytes on every run (xorshift64), so an outcome seen once is seen always.
QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    for (qsizetype at = 0; at < size; at += 8) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        std::memcpy(bytes.data() + at, &state, static_cast<std::size_t>(std::min<qsizetype>(8, size - at)));
    }
    return bytes;
}

// `count` copies of `line`, with `inserts` in place of the copies at the given indexes.
QByteArray repeatedLines(const QByteArray& line, qsizetype count, const std::map<qsizetype, QByteArray>& inserts)
{
    QByteArray text = line.repeated(count);
    for (auto insert = inserts.rbegin(); insert != inserts.rend(); ++insert)
        text.replace(insert->first * line.size(), line.size(), insert->second);
    return text;
}

class BigDayFile : public GraphTest {
protected:
    // Runs one viewer action and fails when it takes longer than the guard.
    template <typename Action>
    void answersSoon(const char* what, Action action)
    {
        QElapsedTimer clock;
        clock.start();
        action();
        EXPECT_LT(clock.elapsed(), kAnswerWithinMs) << what;
    }
    QList<int> loadedTimes() const
    {
        QList<int> times;
        for (int slot = 1; slot <= graph->records.recordCount; ++slot)
            times << graph->records.recTime[slot];
        return times;
    }
};

TEST_F(BigDayFile, OneHundredMegabytesOfRandomBytesYieldTheRecordsAmongThem)
{
    QByteArray day = randomBytes(qsizetype(100) << 20);
    // Three records, each on a line of its own, at the start, in the middle and at the end.
    const QByteArray records[] = {recordLine(u"06:00"_s, u"12.10"_s), recordLine(u"12:00"_s, u"12.20"_s),
                                  recordLine(u"18:00"_s, u"12.30"_s)};
    day.insert(0, records[0]);
    day.insert(day.size() / 2, "\r\n" + records[1]);
    day += "\r\n" + records[2];
    writeDay(day);
    open();

    answersSoon("whole day", [this] { choose(); });
    EXPECT_TRUE(folder.user.messages.isEmpty()) << folder.user.messages.join(u'\n').toStdString();
    EXPECT_EQ(loadedTimes(), (QList<int>{6 * 3600, 12 * 3600, 18 * 3600}));
    EXPECT_EQ(graph->records.recVolts[2], 12.2);
    EXPECT_EQ(graph->stime->text() + u'-' + graph->ftime->text(), u"06:00-18:00");
    EXPECT_TRUE(readLogs() == day + "\r\n") << "the file changed beyond the viewer's empty line";
}

TEST_F(BigDayFile, MillionsOfShortLinesGiveTheLimitMessageOrTheRecordsOfANarrowerRange)
{
    // Times written in the general form ("5:00", with seconds, with blanks) take the
    // general reading rule on every line.
    const QByteArray day = repeatedLines("<T>5:00</T>\r\n", kShortLines,
                                         {{10, recordLine(u"12:10"_s)},
                                          {kShortLines / 2, recordLine(u"12:20:30"_s)},
                                          {kShortLines - 1, recordLine(u" 12:29 "_s)}});
    writeDay(day);
    open();

    answersSoon("whole day", [this] { choose(); });
    EXPECT_EQ(folder.user.messages, QStringList{kOverLimit});
    EXPECT_EQ(graph->records.recordCount, 10'000);

    graph->Time1h->setText(u"12"_s);
    graph->Time1m->setText(u"00"_s);
    graph->Time2h->setText(u"12"_s);
    graph->Time2m->setText(u"30"_s);
    answersSoon("half an hour", [this] { graph->Command1_Click(); });
    EXPECT_EQ(folder.user.messages, QStringList{kOverLimit}) << "no further message";
    EXPECT_EQ(loadedTimes(), (QList<int>{12 * 3600 + 600, 12 * 3600 + 1230, 12 * 3600 + 1740}));
    EXPECT_EQ(timeBoxes(), u"12:10-12:29");
    EXPECT_TRUE(readLogs() == day + "\r\n\r\n");
}

}  // namespace
}  // namespace corvane::test
