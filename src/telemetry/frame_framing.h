#pragma once

#include <QString>

namespace corvane {

// What the receive buffer holds after a notification has appended to it.
enum class BufferState {
    Incomplete,       // no "[" or no "]" yet: wait for more characters
    LongOrJoined,     // more than 60 characters, or "][" where one frame runs into the next
    BracesReversed,   // the first "]" stands before the first "["
    Frame,            // a frame can be taken out
};

// The most characters the buffer may hold when a frame is complete.
inline constexpr qsizetype kMaxBufferLength = 60;

BufferState bufferState(QStringView buffer);

// The taken text up to and including its first "]"; whatever follows, even the start of
// the next frame, is dropped.
QString cutAfterFirstClose(QStringView taken);

// What a rejected buffer keeps: the frame still arriving, that is the text from its last
// "[" on when no "]" follows it and it is short enough to become a frame; otherwise nothing.
QString frameInProgress(QStringView rejected);

// The frame itself: the text from its first "[" on.
QString frameFromFirstOpen(QStringView lastFrame);

}  // namespace corvane
