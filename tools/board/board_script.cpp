#include "board/board_script.h"

#include <charconv>

namespace corvane::board {
namespace {

std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool readSeconds(std::string_view text, double& seconds)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seconds);
    return !text.empty() && error == std::errc() && stop == end && seconds >= 0;
}

}  // namespace

ParsedScript parseScript(std::string_view text)
{
    ParsedScript script;
    const std::vector<std::string_view> lines = linesOf(text);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = lines[n];
        const std::string where = "line " + std::to_string(n + 1) + ": ";
        if (line.empty() || line == "#" || line.starts_with("# "))
            continue;
        if (!line.starts_with('#')) {
            script.steps.push_back({ScriptStep::Kind::Frame, std::string(line)});
            continue;
        }
        const std::size_t blank = line.find(' ');
        const std::string_view directive = line.substr(0, blank);
        const std::string_view argument = blank == std::string_view::npos ? "" : line.substr(blank + 1);
        if (directive == "#whole") {
            if (argument.empty()) {
                script.error = where + "#whole expects the text to send";
                return script;
            }
            script.steps.push_back({ScriptStep::Kind::WholeFrame, std::string(argument)});
        } else if (directive == "#pause") {
            ScriptStep pause;
            pause.kind = ScriptStep::Kind::Pause;
            if (!readSeconds(argument, pause.seconds)) {
                script.error = where + "#pause expects seconds, such as 2.5";
                return script;
            }
            script.steps.push_back(pause);
        } else {
            script.error = where + "unknown directive '" + std::string(directive) +
                           "' (known: #pause, #whole, and '# ' for a comment)";
            return script;
        }
    }
    return script;
}

}  // namespace corvane::board
