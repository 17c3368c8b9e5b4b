#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane::board {

// One step of a script: a text to send as one frame, or a silence.
struct ScriptStep {
    enum class Kind { Frame, WholeFrame, Pause };
    Kind kind = Kind::Frame;
    std::string text;    // Frame and WholeFrame: sent verbatim
    double seconds = 0;  // Pause: added to the spacing before the next frame

    bool operator==(const ScriptStep&) const = default;
};

struct ParsedScript {
    std::vector<ScriptStep> steps;
    std::string error;  // names the line when the script is unusable
};

// A script holds one frame text per line. Lines starting with '#' are directives:
// "#pause SECONDS", "#whole TEXT" (TEXT in one piece), "# ..." a comment. Empty lines
// are skipped; a CR before the LF is not part of the line.
ParsedScript parseScript(std::string_view text);

}  // namespace corvane::board
