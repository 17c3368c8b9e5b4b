#include "receiver_verdict.h"

#include <charconv>
#include <optional>

namespace corvane::board::test {
namespace {

struct Field {
    bool reversed = false;  // closing tag before the opening tag
    std::string text;
};

Field fieldOf(std::string_view frame, std::string_view tag)
{
    const std::string open = "<" + std::string(tag) + ">";
    const std::string close = "</" + std::string(tag) + ">";
    const std::size_t p = frame.find(open);
    const std::size_t q = frame.find(close);
    if (p == std::string_view::npos || q == std::string_view::npos)
        return {};
    if (q < p + open.size())
        return {true, {}};
    return {false, std::string(frame.substr(p + open.size(), q - p - open.size()))};
}

std::optional<double> numberOf(const std::string& text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

}  // namespace

std::string receiverVerdict(std::string_view text)
{
    if (text.size() > 60 || text.find("][") != std::string_view::npos)
        return " ][ or long string";
    const std::size_t open = text.find('[');
    const std::size_t close = text.find(']');
    if (open == std::string_view::npos || close == std::string_view::npos)
        return "waiting";
    if (close < open)
        return " braces in wrong positions  corrupt COMMS";
    const std::string_view frame = text.substr(open, close - open + 1);

    const Field v = fieldOf(frame, "V");
    if (v.reversed)
        return "failure in volts";
    if (v.text.empty() || v.text == "0")
        return "corrupt Volts COMM data";
    const Field i = fieldOf(frame, "I");
    if (i.reversed)
        return "failure in amps";
    if (i.text.empty() || i.text == "0")
        return "corrupt Amps COMM data";
    const Field r = fieldOf(frame, "R");
    const Field m = fieldOf(frame, "M");
    const Field s = fieldOf(frame, "S");
    if (r.reversed || m.reversed || s.reversed)
        return " corrupt revs, or windspeed data in string";
    const Field c = fieldOf(frame, "C");
    if (c.reversed)
        return "failure in checksum";
    const std::optional<double> checksum = numberOf(c.text);
    const double sum = numberOf(v.text).value_or(0) + numberOf(i.text).value_or(0) +
                       numberOf(r.text).value_or(0) + numberOf(s.text).value_or(0);
    if (checksum && *checksum != sum)
        return "checksum error";
    return "accepted";
}

}  // namespace corvane::board::test
