#pragma once

#include "board/board_random.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::board {

// What the board has measured, in its own raw counts: V and I are converter counts,
// R the windmill's pulses per second, S the wind sensor's pulses, M the unused reading.
struct RawReading {
    int v = 0;
    int i = 0;
    int r = 0;
    int m = 0;
    int s = 0;
};

// The receiver refuses anything longer, counting every character it holds.
inline constexpr std::size_t kMaxFrameLength = 60;

// V + I + R + S; M is not part of the sum.
int checksumOf(const RawReading& reading);

// "[<V>..</V><I>..</I><R>..</R><M>..</M><S>..</S><C>..</C>]" with the correct checksum.
std::string frameText(const RawReading& reading);

// The ways a damaged line is simulated; each makes the receiver reject what it gets.
enum class Fault {
    WrongChecksum,
    ZeroVolts,
    MissingAmpsClose,
    LowerCaseTags,
    JoinedFrames,
    Garbage,
    OverLong,
    ReversedRevs,
};

inline constexpr std::array kAllFaults = {
    Fault::WrongChecksum, Fault::ZeroVolts, Fault::MissingAmpsClose, Fault::LowerCaseTags,
    Fault::JoinedFrames,  Fault::Garbage,   Fault::OverLong,         Fault::ReversedRevs,
};

// The option spelling of a fault ("checksum", "zero-volts", ...).
std::string_view faultName(Fault fault);
std::optional<Fault> faultFromName(std::string_view name);

// What the board sends instead of the frame of `reading` when `fault` strikes.
struct FaultyText {
    std::string text;
    // Where the text must not be cut into pieces (the "][" of joined frames), else npos.
    std::size_t keepTogetherAt = std::string::npos;
};
FaultyText faultyText(Fault fault, const RawReading& reading, Random& random);

}  // namespace corvane::board
