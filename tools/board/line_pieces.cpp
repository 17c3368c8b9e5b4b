#include "board/line_pieces.h"

#include <algorithm>

namespace corvane::board {

std::vector<std::string> splitIntoPieces(std::string_view text, int maxPiece, Random& random,
                                         std::size_t keepTogetherAt)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto size = static_cast<std::size_t>(random.between(1, std::max(1, maxPiece)));
        std::size_t end = std::min(text.size(), start + size);
        if (end == keepTogetherAt)
            end = std::min(text.size(), end + 1);
        pieces.emplace_back(text.substr(start, end - start));
        start = end;
    }
    return pieces;
}

}  // namespace corvane::board
