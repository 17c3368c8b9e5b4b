#include "platform/piece_handover.h"

namespace corvane {
namespace {

bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

// Where a chunk is cut: just after the first line end (CR, LF or CR LF) that follows a "]"
// and is followed by more text; -1 when there is no such place. "][" is never cut.
qsizetype cutAfterLineEnd(const QString& text)
{
    for (qsizetype close = text.indexOf(u']'); close >= 0; close = text.indexOf(u']', close + 1)) {
        qsizetype end = close + 1;
        if (end >= text.size() || !isLineEnd(text[end]))
            continue;
        end += (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? 2 : 1;
        if (end < text.size())
            return end;
    }
    return -1;
}

}  // namespace

QStringList PieceHandover::take(const QString& piece, qint64 nowMs)
{
    const bool fresh = m_held.isEmpty();
    m_held += piece;
    m_lastPieceMs = nowMs;
    QStringList handed;
    for (qsizetype cut = cutAfterLineEnd(m_held); cut >= 0; cut = cutAfterLineEnd(m_held)) {
        handed << m_held.left(cut);
        m_held.remove(0, cut);
    }
    if (m_held.contains(u']') || m_held.size() > kMaxHeld) {
        handed << m_held;
        m_held.clear();
    }
    // What is left after a cut arrived with this piece.
    if (fresh || !handed.isEmpty())
        m_heldSinceMs = nowMs;
    return handed;
}

std::optional<QString> PieceHandover::release(qint64 nowMs)
{
    if (m_held.isEmpty() || nowMs - m_lastPieceMs < kQuietMs)
        return std::nullopt;
    QString held;
    held.swap(m_held);
    return held;
}

std::optional<qint64> PieceHandover::releaseDueMs() const
{
    if (m_held.isEmpty())
        return std::nullopt;
    return m_lastPieceMs + kQuietMs;
}

qint64 PieceHandover::napUs(int baudRate, qint64 nowMs) const
{
    if (m_held.isEmpty() || baudRate <= 0)
        return 0;
    constexpr qint64 kBitsPerCharacter = 10;  // start, 8 data and stop bit
    const qint64 longestFrameUs = kMaxHeld * kBitsPerCharacter * 1'000'000 / baudRate;
    const qint64 leftUs = longestFrameUs - (nowMs - m_heldSinceMs) * 1000;
    return qBound<qint64>(0, leftUs, kMaxNapUs);
}

}  // namespace corvane
