#pragma once

#include "board/board_random.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane::board {

// Cuts `text` into pieces of 1 to maxPiece characters, the way a serial line hands a
// receiver whatever has arrived so far. No cut falls at `keepTogetherAt`.
std::vector<std::string> splitIntoPieces(std::string_view text, int maxPiece, Random& random,
                                         std::size_t keepTogetherAt = std::string::npos);

}  // namespace corvane::board
