#include "telemetry/frame_framing.h"

namespace corvane {

BufferState bufferState(QStringView buffer)
{
    if (buffer.size() > kMaxBufferLength || buffer.contains(u"]["))
        return BufferState::LongOrJoined;
    const qsizetype open = buffer.indexOf(u'[');
    const qsizetype close = buffer.indexOf(u']');
    if (open < 0 || close < 0)
        return BufferState::Incomplete;
    if (close < open)
        return BufferState::BracesReversed;
    return BufferState::Frame;
}

QString cutAfterFirstClose(QStringView taken)
{
    const qsizetype close = taken.indexOf(u']');
    return (close < 0 ? taken : taken.left(close + 1)).toString();
}

QString frameInProgress(QStringView rejected)
{
    const qsizetype open = rejected.lastIndexOf(u'[');
    if (open < 0)
        return QString();
    const QStringView tail = rejected.mid(open);
    if (tail.contains(u']') || tail.size() > kMaxBufferLength)
        return QString();
    return tail.toString();
}

QString frameFromFirstOpen(QStringView lastFrame)
{
    const qsizetype open = lastFrame.indexOf(u'[');
    return (open < 0 ? QStringView() : lastFrame.mid(open)).toString();
}

}  // namespace corvane
