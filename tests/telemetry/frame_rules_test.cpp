#include "telemetry/frame_framing.h"

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

TEST(FrameFraming, ARejectedBufferKeepsOnlyTheFrameStillArriving)
{
    const struct {
        QString rejected;
        QString kept;
    } cases[] = {
        {QStringLiteral("<C>1</C>][<V>1"), QStringLiteral("[<V>1")},
        {QStringLiteral("</C>]\r\n[<V>1</V>"), QStringLiteral("[<V>1</V>")},
        {QStringLiteral("[<V>1</V>][<V>2</V>]"), QString()},     // nothing is arriving
        {QString(61, u'x'), QString()},
        {u'[' + QString(60, u'x'), QString()},                   // too long to become a frame
        {QString(30, u'x') + u'[' + QString(59, u'x'), u'[' + QString(59, u'x')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rejected.toStdString());
        EXPECT_EQ(frameInProgress(c.rejected), c.kept);
    }
}

}  // namespace
}  // namespace corvane
