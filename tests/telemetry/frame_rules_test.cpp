#include "telemetry/frame_fields.h"
#include "telemetry/frame_framing.h"
#include "text/failure.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(FrameFraming, JudgesTheBuffer)
{
    // Text in front of "[" counts towards the limit too.
    const QString frame60 = QString(9, u'x') + QStringLiteral("[<V>745</V><I>512</I><R>12</R><S>40</S><C>1309</C>]");
    ASSERT_EQ(frame60.size(), 60);
    const struct {
        QString buffer;
        BufferState state;
    } cases[] = {
        {QString(), BufferState::Incomplete},
        {QStringLiteral("[<V>745</V><I>5"), BufferState::Incomplete},
        {QStringLiteral("12</I>]\r\n"), BufferState::Incomplete},
        {QStringLiteral("[<V>1</V>]"), BufferState::Frame},
        {QStringLiteral("xx[<V>1</V>]\r\n[<V>"), BufferState::Frame},
        {frame60, BufferState::Frame},
        {frame60 + u' ', BufferState::LongOrJoined},
        {QString(61, u'x'), BufferState::LongOrJoined},
        {QStringLiteral("<C>1</C>][<V>1"), BufferState::LongOrJoined},
        {QStringLiteral("][<V>1</V>]"), BufferState::LongOrJoined},
        {QStringLiteral("</C>]\r\n[<V>1"), BufferState::BracesReversed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.buffer.toStdString());
        EXPECT_EQ(bufferState(c.buffer), c.state);
    }
}

TEST(FrameFraming, CutsAfterTheFirstCloseAndStartsAtTheFirstOpen)
{
    const QString taken = QStringLiteral("ab[<V>1</V>]\r\n[<V>2");
    const QString lastFrame = cutAfterFirstClose(taken);
    EXPECT_EQ(lastFrame, u"ab[<V>1</V>]");
    EXPECT_EQ(frameFromFirstOpen(lastFrame), u"[<V>1</V>]");
}

TEST(FrameFields, TakesTheFirstOccurrenceOfExactTags)
{
    const QString frame = QStringLiteral("[<V>12</V><I></I><R>7</R><R>9</R><v>5</v>]");
    EXPECT_EQ(fieldText(frame, u'V'), u"12");
    EXPECT_EQ(fieldText(frame, u'I'), u"");
    EXPECT_EQ(fieldText(frame, u'R'), u"7");
    EXPECT_EQ(fieldText(frame, u'S'), u"");                          // missing
    EXPECT_EQ(fieldText(QStringLiteral("[<v>5</v>]"), u'V'), u"");   // lower case is not a tag
    EXPECT_EQ(fieldText(QStringLiteral("[<S>4</V>]"), u'S'), u"");   // closing tag missing
    EXPECT_THROW(fieldText(QStringLiteral("[</R>4<R>]"), u'R'), Failure);
}

TEST(FrameFields, RequiredFieldRejectsOnlyEmptyAndPlainZero)
{
    EXPECT_FALSE(carriesReading(u""));
    EXPECT_FALSE(carriesReading(u"0"));
    EXPECT_TRUE(carriesReading(u"00"));
    EXPECT_TRUE(carriesReading(u"0.0"));
    EXPECT_TRUE(carriesReading(u" 0"));
    EXPECT_TRUE(carriesReading(u"abc"));
}

TEST(FrameFields, ChecksumIsVPlusIPlusRPlusS)
{
    const RawReadings raw{745, 512, 12, 99, 40};
    const struct {
        const char* frame;
        bool agrees;
    } cases[] = {
        {"[<C>1309</C>]", true},
        {"[<C> 1309.0 </C>]", true},
        {"[<C>1408</C>]", false},   // would be right only if M were counted
        {"[<C>1310</C>]", false},
        {"[]", true},               // no checksum: taken unchecked
        {"[<C>x</C>]", true},
        {"[<C></C>]", true},
        {"[<C>1</c>]", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame);
        EXPECT_EQ(checksumAgrees(QString::fromLatin1(c.frame), raw), c.agrees);
    }
    EXPECT_THROW(checksumAgrees(QStringLiteral("[</C>1309<C>]"), raw), Failure);
}

}  // namespace
}  // namespace corvane
