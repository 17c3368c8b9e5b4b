#include "viewer/day_record.h"

#include "text/numeric_text.h"

#include <QByteArrayView>
#include <QString>
#include <array>
#include <charconv>

namespace corvane {
namespace {

constexpr std::size_t kAbsent = std::string_view::npos;

// The tagged fields of a record line, named by the letter of their tags; M is the flag
// after which the watt-hour total stands.
enum class Field { Time, Volts, Amps, Rpm, Watts, Speed, Flag };
constexpr int kFieldCount = 7;

int fieldOfLetter(char letter)
{
    switch (letter) {
    case 'T': return static_cast<int>(Field::Time);
    case 'V': return static_cast<int>(Field::Volts);
    case 'I': return static_cast<int>(Field::Amps);
    case 'R': return static_cast<int>(Field::Rpm);
    case 'W': return static_cast<int>(Field::Watts);
    case 'S': return static_cast<int>(Field::Speed);
    case 'M': return static_cast<int>(Field::Flag);
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

    // The text after the field's closing tag up to `end`; nothing when either is missing.
    std::optional<QByteArrayView> textAfterClosing(Field field, std::string_view end) const
    {
        const std::size_t close = m_close[static_cast<int>(field)];
        if (close == kAbsent)
            return std::nullopt;
        const std::size_t start = close + 4;
        const std::size_t stop = m_line.find(end, start);
        if (stop == kAbsent)
            return std::nullopt;
        return QByteArrayView(m_line.data() + start, static_cast<qsizetype>(stop - start));
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

// The logger writes three blanks between "</M>" and the total; skip them before the
// quick path, which takes no blanks.
double wattHoursValue(const LineTags& tags)
{
    std::optional<QByteArrayView> text = tags.textAfterClosing(Field::Flag, "Wh");
    if (!text)
        return 0.0;
    while (!text->isEmpty() && text->front() == ' ')
        text = text->sliced(1);
    return numberOrZero(*text);
}

}  // namespace

std::optional<DayRecord> readDayRecord(std::string_view line)
{
    const LineTags tags(line);
    const std::optional<QByteArrayView> timeText = tags.text(Field::Time);
    if (!timeText)
        return std::nullopt;
    const std::optional<TimeOfDay> time = timeOfDayFromText(*timeText);
    if (!time)
        return std::nullopt;

    DayRecord record;
    record.time = *time;
    record.volts = fieldValue(tags, Field::Volts);
    record.amps = fieldValue(tags, Field::Amps);
    record.rpm = fieldValue(tags, Field::Rpm);
    record.watts = fieldValue(tags, Field::Watts);
    record.speed = fieldValue(tags, Field::Speed);
    if (record.rpm > kRpmCeiling)
        record.rpm = 0;
    record.wattHours = wattHoursValue(tags);
    return record;
}

}  // namespace corvane
