#include "platform/piece_handover.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct Piece {
    const char* text;
    qint64 atMs;
};

struct HandoverCase {
    const char* name;
    std::vector<Piece> pieces;
    qint64 quietUntilMs;            // release() is asked at this time after the last piece
    QStringList handed;             // every notification, in order
    QString stillHeld;
};

TEST(PieceHandover, PiecesGoOverWhenAFrameEndsTheTextGrowsLongOrTheLineFallsQuiet)
{
    const QString sixty(60, u'x');
    const HandoverCase cases[] = {
        {"pieces are held until a \"]\"",
         {{"[<V>745</V><I>5", 0}, {"12</I><R>12", 6}, {"</R>]", 12}},
         12,
         {QStringLiteral("[<V>745</V><I>512</I><R>12</R>]")},
         {}},
        {"a frame and the start of the next without a line end go over together",
         {{"[<V>745</V>]", 0}, {"[<V>7", 1}},
         1,
         {QStringLiteral("[<V>745</V>]")},
         QStringLiteral("[<V>7")},
        {"noise goes over after 20 ms with nothing new, not before",
         {{"x\x81y", 0}, {"zz", 15}},
         34,
         {},
         QStringLiteral("x\x81yzz")},
        {"noise goes over once 20 ms have passed",
         {{"x\x81y", 0}, {"zz", 15}},
         35,
         {QStringLiteral("x\x81yzz")},
         {}},
        {"a chunk is cut after \"]\" and CR LF",
         {{"[<V>745</V>]\r\n[<V>7", 0}, {"46</V>]\r\n", 3}},
         3,
         {QStringLiteral("[<V>745</V>]\r\n"), QStringLiteral("[<V>746</V>]\r\n")},
         {}},
        {"a lone CR or LF is a line end too, and a frame after it that is whole goes at once",
         {{"[A]\r[B]\n[C", 0}},
         0,
         {QStringLiteral("[A]\r"), QStringLiteral("[B]\n")},
         QStringLiteral("[C")},
        {"\"][\" is never cut",
         {{"[<V>745</V><I>512</I>][<V>7", 0}, {"45</V>]", 2}},
         2,
         {QStringLiteral("[<V>745</V><I>512</I>][<V>7"), QStringLiteral("45</V>]")},
         {}},
        {"a line end at the end of a chunk leaves nothing to cut",
         {{"[<V>745</V>]\r\n", 0}},
         0,
         {QStringLiteral("[<V>745</V>]\r\n")},
         {}},
    };
    for (const HandoverCase& c : cases) {
        SCOPED_TRACE(c.name);
        PieceHandover handover;
        QStringList handed;
        for (const Piece& piece : c.pieces)
            handed += handover.take(QString::fromLatin1(piece.text), piece.atMs);
        if (const std::optional<QString> released = handover.release(c.quietUntilMs))
            handed << *released;
        EXPECT_EQ(handed, c.handed);
        EXPECT_EQ(handover.release(c.quietUntilMs + PieceHandover::kQuietMs).value_or(QString()), c.stillHeld);
    }

    // Sixty characters are held; the sixty-first sends them over.
    PieceHandover handover;
    EXPECT_TRUE(handover.take(sixty, 0).isEmpty());
    EXPECT_EQ(handover.releaseDueMs(), std::optional<qint64>(PieceHandover::kQuietMs));
    EXPECT_EQ(handover.take(QStringLiteral("y"), 5), QStringList{sixty + u'y'});
    EXPECT_EQ(handover.releaseDueMs(), std::nullopt);
}

TEST(PieceHandover, TheReaderWaitsForTheRestOfAHeldFrameNoLongerThanTheLineTakesForTheLongestFrame)
{
    // 60 characters of 10 bits take the line 10,416 µs at 57,600 baud and 5,208 µs at 115,200.
    struct NapCase {
        const char* name;
        std::vector<Piece> pieces;
        int baudRate;
        qint64 nowMs;
        qint64 napUs;
    };
    const NapCase cases[] = {
        {"nothing held, no wait", {}, 57600, 0, 0},
        {"a whole frame went over, no wait", {{"[<V>745</V>]", 0}}, 57600, 0, 0},
        {"a frame just begun waits at most the cap", {{"[<V>7", 0}}, 57600, 0, PieceHandover::kMaxNapUs},
        {"later pieces leave less of the time", {{"[<V>7", 0}, {"45</V>", 4}}, 57600, 4, 10416 - 4000},
        {"a faster line waits less", {{"[<V>7", 0}}, 115200, 2, 5208 - 2000},
        {"after a cut, the time counts from the piece that began what is held",
         {{"[<V>7", 0}, {"45]\r\n[<V>8", 3}}, 57600, 5, 10416 - 2000},
        {"a frame slower than the line is read promptly", {{"[<V>7", 0}, {"45", 11}}, 57600, 11, 0},
        {"noise released after the quiet time does not count against the next frame",
         {{"x\x81y", 0}, {"[<V>7", 25}}, 57600, 25, PieceHandover::kMaxNapUs},
    };
    for (const NapCase& c : cases) {
        SCOPED_TRACE(c.name);
        PieceHandover handover;
        for (const Piece& piece : c.pieces) {
            (void)handover.release(piece.atMs);
            handover.take(QString::fromLatin1(piece.text), piece.atMs);
        }
        EXPECT_EQ(handover.napUs(c.baudRate, c.nowMs), c.napUs);
    }
}

}  // namespace
}  // namespace corvane
