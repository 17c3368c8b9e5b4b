#include "board/board_frames.h"

#include <algorithm>
#include <cctype>

namespace corvane::board {
namespace {

struct FieldTexts {
    std::string v, i, r, m, s, c;
};

FieldTexts fieldsOf(const RawReading& reading)
{
    return {std::to_string(reading.v), std::to_string(reading.i), std::to_string(reading.r),
            std::to_string(reading.m), std::to_string(reading.s), std::to_string(checksumOf(reading))};
}

std::string field(std::string_view tag, const std::string& text)
{
    std::string result;
    result.append("<").append(tag).append(">").append(text).append("</").append(tag).append(">");
    return result;
}

std::string assemble(const FieldTexts& f)
{
    return "[" + field("V", f.v) + field("I", f.i) + field("R", f.r) + field("M", f.m) +
           field("S", f.s) + field("C", f.c) + "]";
}

void replaceFirst(std::string& text, std::string_view from, std::string_view to)
{
    const std::size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
}

// A checksum that is wrong but no longer than the right one, so the frame keeps its length.
std::string wrongChecksum(int right, Random& random)
{
    const int delta = random.between(1, 9);
    return std::to_string(right >= 10 ? right - delta : right + delta);
}

// Line noise: printable characters with now and then a stray bracket.
std::string garbage(Random& random)
{
    static constexpr std::string_view kNoise =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789<>/=#*~ ";
    std::string text;
    const int length = random.between(6, 30);
    for (int n = 0; n < length; ++n) {
        if (random.chance(0.05))
            text += random.chance(0.5) ? '[' : ']';
        else
            text += kNoise[static_cast<std::size_t>(random.between(0, int(kNoise.size()) - 1))];
    }
    return text;
}

}  // namespace

int checksumOf(const RawReading& reading)
{
    return reading.v + reading.i + reading.r + reading.s;
}

std::string frameText(const RawReading& reading)
{
    return assemble(fieldsOf(reading));
}

std::string_view faultName(Fault fault)
{
    switch (fault) {
    case Fault::WrongChecksum: return "checksum";
    case Fault::ZeroVolts: return "zero-volts";
    case Fault::MissingAmpsClose: return "missing-amps-close";
    case Fault::LowerCaseTags: return "lower-case";
    case Fault::JoinedFrames: return "joined";
    case Fault::Garbage: return "garbage";
    case Fault::OverLong: return "long";
    case Fault::ReversedRevs: return "reversed-revs";
    }
    return {};
}

std::optional<Fault> faultFromName(std::string_view name)
{
    for (const Fault fault : kAllFaults)
        if (faultName(fault) == name)
            return fault;
    return std::nullopt;
}

FaultyText faultyText(Fault fault, const RawReading& reading, Random& random)
{
    FieldTexts fields = fieldsOf(reading);
    switch (fault) {
    case Fault::WrongChecksum:
        fields.c = wrongChecksum(checksumOf(reading), random);
        return {assemble(fields)};
    case Fault::ZeroVolts: {
        RawReading dead = reading;
        dead.v = 0;
        return {frameText(dead)};
    }
    case Fault::MissingAmpsClose: {
        std::string text = assemble(fields);
        replaceFirst(text, "</I>", "");
        return {text};
    }
    case Fault::LowerCaseTags: {
        std::string text = assemble(fields);
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return {text};
    }
    case Fault::JoinedFrames: {
        const std::string one = assemble(fields);
        return {one + one, one.size()};
    }
    case Fault::Garbage:
        return {garbage(random)};
    case Fault::OverLong: {
        // Zero padding keeps every value right while the frame grows past the limit.
        const std::size_t padding = kMaxFrameLength + 1 - std::min(kMaxFrameLength, assemble(fields).size());
        fields.v.insert(0, padding + static_cast<std::size_t>(random.between(0, 20)), '0');
        return {assemble(fields)};
    }
    case Fault::ReversedRevs: {
        std::string text = assemble(fields);
        replaceFirst(text, "<R>", "<@>");
        replaceFirst(text, "</R>", "<R>");
        replaceFirst(text, "<@>", "</R>");
        return {text};
    }
    }
    return {assemble(fields)};
}

}  // namespace corvane::board
