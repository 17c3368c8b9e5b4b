#include "board/board_options.h"

#include <algorithm>
#include <charconv>
#include <functional>

namespace corvane::board {
namespace {

template <typename Number>
std::optional<Number> numberOf(const std::string& text)
{
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// Fills in one option from its value; returns why the value is unusable, or nothing.
using Setter = std::function<std::string(Options&, const std::string&)>;

struct OptionRule {
    std::string name;
    bool takesValue;
    Setter set;
};

template <typename Number>
Setter numberIn(Number Options::*field, Number low, Number high, std::string what)
{
    return [=](Options& options, const std::string& value) -> std::string {
        const std::optional<Number> number = numberOf<Number>(value);
        if (!number || *number < low || *number > high)
            return "expects " + what + ", not '" + value + "'";
        options.*field = *number;
        return {};
    };
}

std::string setFaults(Options& options, const std::string& value)
{
    options.faults.clear();
    if (value == "all") {
        options.faults.assign(kAllFaults.begin(), kAllFaults.end());
        return {};
    }
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        const std::string name = value.substr(start, comma - start);
        const std::optional<Fault> fault = faultFromName(name);
        if (!fault) {
            std::string known;
            for (const Fault f : kAllFaults)
                known += std::string(known.empty() ? "" : ", ") + std::string(faultName(f));
            return "knows no fault '" + name + "' (known: " + known + ", or all)";
        }
        options.faults.push_back(*fault);
        start = comma + 1;
    }
    return {};
}

const std::vector<OptionRule>& optionRules()
{
    static const std::vector<OptionRule> table = {
        {"--folder", true, [](Options& o, const std::string& v) -> std::string {
             if (v.empty())
                 return "expects a folder";
             o.folder = v;
             return {};
         }},
        {"--port", true, numberIn(&Options::port, 1, 255, "a port number from 1 to 255")},
        {"--bank", true, [](Options& o, const std::string& v) -> std::string {
             const std::optional<int> bank = numberOf<int>(v);
             if (!bank || (*bank != 12 && *bank != 24 && *bank != 48))
                 return "expects 12, 24 or 48, not '" + v + "'";
             o.bank = *bank;
             return {};
         }},
        {"--rate", true, numberIn(&Options::rate, 0.01, 20.0, "frames per second from 0.01 to 20")},
        {"--baud", true, numberIn(&Options::baud, 300, 115200, "a baud rate from 300 to 115200")},
        {"--seed", true, [](Options& o, const std::string& v) -> std::string {
             const std::optional<std::uint64_t> seed = numberOf<std::uint64_t>(v);
             if (!seed)
                 return "expects a whole number, not '" + v + "'";
             o.seed = *seed;
             return {};
         }},
        {"--count", true, numberIn(&Options::count, 0L, 1000000000L, "a number of frames (0: no end)")},
        {"--script", true, [](Options& o, const std::string& v) -> std::string {
             if (v.empty())
                 return "expects a file";
             o.script = v;
             return {};
         }},
        {"--faults", true, setFaults},
        {"--fault-rate", true, numberIn(&Options::faultRate, 0.0, 1.0, "a chance from 0 to 1")},
        {"--hangup-after", true, numberIn(&Options::hangupAfter, 0L, 1000000000L, "a number of frames")},
        {"--reopen-after", true, numberIn(&Options::reopenAfter, 0.0, 86400.0, "seconds from 0 to 86400")},
        {"--whole-frames", false, [](Options& o, const std::string&) -> std::string {
             o.split = false;
             return {};
         }},
        {"--verbose", false, [](Options& o, const std::string&) -> std::string {
             o.verbose = true;
             return {};
         }},
    };
    return table;
}

ParsedOptions failed(std::string error)
{
    ParsedOptions result;
    result.error = std::move(error);
    return result;
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& arguments)
{
    Options options;
    for (std::size_t n = 0; n < arguments.size(); ++n) {
        const std::string& argument = arguments[n];
        if (argument == "--help" || argument == "-h") {
            ParsedOptions result;
            result.help = true;
            return result;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const auto rule = std::find_if(optionRules().begin(), optionRules().end(),
                                       [&](const OptionRule& s) { return s.name == name; });
        if (rule == optionRules().end())
            return failed(argument.starts_with("-") ? "unknown option '" + name + "'"
                                                    : "unexpected argument '" + argument + "'");
        std::string value;
        if (equals != std::string::npos) {
            if (!rule->takesValue)
                return failed(name + " takes no value");
            value = argument.substr(equals + 1);
        } else if (rule->takesValue) {
            if (n + 1 >= arguments.size())
                return failed(name + " needs a value");
            value = arguments[++n];
        }
        if (const std::string error = rule->set(options, value); !error.empty())
            return failed(name + " " + error);
    }
    if (options.folder.empty())
        return failed("--folder is required: the program folder that receives the COMn link");
    if (options.rate * 600 > options.baud)
        return failed("--rate is too high for a line of " + std::to_string(options.baud) +
                      " baud (a frame takes up to 60 characters of 10 bits)");
    if (!options.script.empty() && options.faultRate > 0)
        return failed("--fault-rate damages generated frames only; write the faults into the --script");
    ParsedOptions result;
    result.options = std::move(options);
    return result;
}

std::vector<std::string> optionNames()
{
    std::vector<std::string> names{"--help"};
    for (const OptionRule& rule : optionRules())
        names.push_back(rule.name);
    return names;
}

}  // namespace corvane::board
