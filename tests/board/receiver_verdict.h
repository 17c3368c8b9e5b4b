#pragma once

#include <string>
#include <string_view>

namespace corvane::board::test {

// What Corvane's receiver makes of `text` arriving whole into an empty buffer: "accepted",
// "waiting" (no complete frame yet) or the error-log text of the rejection. Written from
// the protocol's rules, independently of the board's code, to judge the board's output.
std::string receiverVerdict(std::string_view text);

}  // namespace corvane::board::test
