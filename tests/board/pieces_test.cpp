#include "board/line_pieces.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

namespace corvane::board {
namespace {

std::string joined(const std::vector<std::string>& pieces)
{
    return std::accumulate(pieces.begin(), pieces.end(), std::string());
}

TEST(LinePieces, PiecesRebuildTheTextWithinTheSizeLimit)
{
    const std::string text = "[<V>756</V><I>612</I><R>35</R><M>0</M><S>40</S><C>1443</C>]";
    for (const int longest : {1, 3, 16, 100}) {
        Random random(static_cast<std::uint64_t>(longest));
        for (int n = 0; n < 200; ++n) {
            const std::vector<std::string> pieces = splitIntoPieces(text, longest, random);
            ASSERT_EQ(joined(pieces), text);
            for (const std::string& piece : pieces) {
                ASSERT_GE(piece.size(), 1u);
                ASSERT_LE(piece.size(), static_cast<std::size_t>(longest));
            }
        }
    }
}

TEST(LinePieces, SizesVaryFromFrameToFrame)
{
    Random random(3);
    std::set<std::vector<std::string>> splittings;
    for (int n = 0; n < 50; ++n)
        splittings.insert(splitIntoPieces("[<V>756</V><I>612</I><C>1368</C>]", 16, random));
    EXPECT_GT(splittings.size(), 40u);
}

TEST(LinePieces, NeverCutsWhereTheTextMustStayTogether)
{
    const std::string text = "[<V>1</V>][<V>2</V>]";
    const std::size_t join = text.find("][") + 1;
    Random random(5);
    for (int n = 0; n < 500; ++n) {
        std::size_t at = 0;
        for (const std::string& piece : splitIntoPieces(text, 4, random, join)) {
            at += piece.size();
            ASSERT_NE(at, join);
        }
        ASSERT_EQ(at, text.size());
    }
}

TEST(LinePieces, EmptyTextGivesNoPieces)
{
    Random random(1);
    EXPECT_TRUE(splitIntoPieces("", 16, random).empty());
    EXPECT_EQ(splitIntoPieces("]", 16, random, 1), std::vector<std::string>{"]"});
}

}  // namespace
}  // namespace corvane::board
