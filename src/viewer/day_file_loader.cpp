#include "viewer/day_file_loader.h"

#include "text/numeric_text.h"

#include <array>
#include <charconv>
#include <optional>
#include <string_view>

namespace corvane {
namespace {

constexpr std::string_view kLineEnd("\r\n");
constexpr std::size_t kAbsent = std::string_view::npos;

// The six fields of a record line, named by the letter of their tags.
enum class Field { Time, Volts, Amps, Rpm, Watts, Speed };
constexpr int kFieldCount = 6;

int fieldOfLetter(char letter)
{
    switch (letter) {
    case 'T': return static_cast<int>(Field::Time);
    case 'V': return static_cast<int>(Field::Volts);
    case 'I': return static_cast<int>(Field::Amps);
    case 'R': return static_cast<int>(Field::Rpm);
    case 'W': return static_cast<int>(Field::Watts);
    case 'S': return static_cast<int>(Field::Speed);
    default: return -1;
    }
}

// Where the first opening tag ("<T>") and the first closing tag ("</T>") of each field
// start in one line; found in a single pass over the line's "<" characters, since a day
// file can hold millions of lines.
class LineTags {
public:
    explicit LineTags(std::string_view line) : m_line(line)
    {
        m_open.fill(kAbsent);
        m_close.fill(kAbsent);
        for (std::size_t at = line.find('<'); at != kAbsent; at = line.find('<', at + 1)) {
            const bool closing = at + 1 < line.size() && line[at + 1] == '/';
            const std::size_t letter = at + (closing ? 2 : 1);
            if (letter + 1 >= line.size() || line[letter + 1] != '>')
                continue;
            const int field = fieldOfLetter(line[letter]);
            if (field < 0)
                continue;
            std::size_t& first = closing ? m_close[field] : m_open[field];
            if (first == kAbsent)
                first = at;
        }
    }

    // The text between the field's tags; nothing when either is missing or the closing
    // tag stands before the opening one.
    std::optional<QByteArrayView> text(Field field) const
    {
        const std::size_t open = m_open[static_cast<int>(field)];
        const std::size_t close = m_close[static_cast<int>(field)];
        if (open == kAbsent || close == kAbsent)
            return std::nullopt;
        const std::size_t start = open + 3;
        if (close < start)
            return std::nullopt;
        return QByteArrayView(m_line.data() + start, static_cast<qsizetype>(close - start));
    }

private:
    std::string_view m_line;
    std::array<std::size_t, kFieldCount> m_open{};
    std::array<std::size_t, kFieldCount> m_close{};
};

bool isPlainDecimal(QByteArrayView text)
{
    constexpr qsizetype kLongestPlain = 32;
    if (text.isEmpty() || text.size() > kLongestPlain)
        return false;
    qsizetype digits = 0;
    qsizetype points = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else if (!(c == '-' && i == 0))
            return false;
    }
    return digits > 0 && points <= 1;
}

// The field's number, or 0. Fields as the logger writes them ("12.60", ".50", "-3.25")
// are read without a detour through QString; every other text takes the general rule.
double numberOrZero(QByteArrayView text)
{
    if (isPlainDecimal(text)) {
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error == std::errc() && end == text.data() + text.size())
            return value;
    }
    return valueOrZero(QString::fromLatin1(text));
}

double fieldValue(const LineTags& tags, Field field)
{
    const std::optional<QByteArrayView> text = tags.text(field);
    return text ? numberOrZero(*text) : 0.0;
}

enum class LineResult { Skipped, Taken, OverLimit };

LineResult takeLine(std::string_view line, TimeRange range, RecordArrays& records)
{
    const LineTags tags(line);
    const std::optional<QByteArrayView> timeText = tags.text(Field::Time);
    if (!timeText)
        return LineResult::Skipped;
    const std::optional<TimeOfDay> time = timeOfDayFromText(*timeText);
    if (!time || !(range.fromTime < *time && *time < range.toTime))
        return LineResult::Skipped;

    ++records.recordCount;
    if (records.recordCount >= RecordArrays::kRecordLimit)
        return LineResult::OverLimit;

    const int slot = records.recordCount;
    records.recTime[slot] = *time;
    records.recVolts[slot] = fieldValue(tags, Field::Volts);
    records.recAmps[slot] = fieldValue(tags, Field::Amps);
    records.recRpm[slot] = fieldValue(tags, Field::Rpm);
    records.recWatts[slot] = fieldValue(tags, Field::Watts);
    records.recSpeed[slot] = fieldValue(tags, Field::Speed);
    if (records.recRpm[slot] > kRpmCeiling)
        records.recRpm[slot] = 0;
    return LineResult::Taken;
}

}  // namespace

DayLoadOutcome loadDayRecords(QByteArrayView content, TimeRange range, RecordArrays& records)
{
    records.recordCount = 0;
    const std::string_view text(content.data(), static_cast<std::size_t>(content.size()));
    std::size_t lineStart = 0;
    for (;;) {
        const std::size_t lineEnd = text.find(kLineEnd, lineStart);
        const std::size_t end = lineEnd == kAbsent ? text.size() : lineEnd;
        if (takeLine(text.substr(lineStart, end - lineStart), range, records) == LineResult::OverLimit)
            return DayLoadOutcome::OverLimit;
        if (lineEnd == kAbsent)
            break;
        lineStart = lineEnd + kLineEnd.size();
    }
    return records.recordCount == 0 ? DayLoadOutcome::NoData : DayLoadOutcome::Loaded;
}

}  // namespace corvane
