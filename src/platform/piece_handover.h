#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

namespace corvane {

// How the characters read from the board's port are handed to the receive handler, as a
// rule of pieces and times only (monotonic milliseconds), so that it is tested directly.
// The handler checks every notification as a whole: a frame handed over in pieces meets a
// logging tick half-way, and a chunk holding the end of one frame and the start of the
// next loses the start. So pieces are joined until a "]" arrives, and a chunk that goes on
// after a "]" and a line end is cut there.
class PieceHandover {
public:
    // Pieces without "]" are held at most this long after the last one.
    static constexpr qint64 kQuietMs = 20;
    // More than this many characters held go over at once: no frame is that long.
    static constexpr qsizetype kMaxHeld = 60;

    // A piece read at nowMs; returns the notifications to raise now, in order.
    QStringList take(const QString& piece, qint64 nowMs);
    // What is held, once kQuietMs have passed since the last piece; nothing before that.
    std::optional<QString> release(qint64 nowMs);
    // When release() will hand over what is held; nothing is held when empty.
    std::optional<qint64> releaseDueMs() const;
    // How long the reader may wait at nowMs before its next read, in microseconds, so that
    // the rest of a held frame is read in one go instead of piece by piece: until the line
    // could have carried kMaxHeld characters (10 bits each at baudRate) since the held
    // text began, at most kMaxNapUs; 0 when nothing is held. No frame is longer, so on a
    // line that sends a frame without pauses the wait ends before the next frame can
    // begin: it joins no frames that a prompt read keeps apart. A frame that comes slower
    // than the line is read promptly once that time has passed.
    qint64 napUs(int baudRate, qint64 nowMs) const;
    static constexpr qint64 kMaxNapUs = 10'000;
    // Drops what is held, as when the port is closed.
    void clear() { m_held.clear(); }

private:
    QString m_held;
    qint64 m_lastPieceMs = 0;
    qint64 m_heldSinceMs = 0;  // when the text now held began to arrive
};

}  // namespace corvane
