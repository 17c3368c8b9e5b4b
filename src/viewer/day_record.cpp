#include "viewer/day_record.h"

#include "text/numeric_text.h"

#include <QByteArrayView>
#include <QString>
#include <array>

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

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                        1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kExactDigits = 15;

// A field as the logger writes it ("12.60", ".50", "-3.25", "412"): an optional "-",
// digits with at most one ".", at least one digit. With at most 15 digits the digits make
// an exact whole number and dividing it by an exact power of ten rounds once, so the value
// is the one the general rule reads, without its cost (a year holds 20 million fields).
std::optional<double> plainDecimal(QByteArrayView text)
{
    const bool negative = !text.isEmpty() && text.front() == '-';
    qint64 digitsValue = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (qsizetype i = negative ? 1 : 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++digits > kExactDigits)
                return std::nullopt;
            digitsValue = digitsValue * 10 + (c - '0');
            decimals += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    const double value = static_cast<double>(digitsValue) / kExactPowersOfTen[decimals];
    return negative ? -value : value;
}

// The field's number, or 0; texts other than plain decimals take the general rule.
double numberOrZero(QByteArrayView text)
{
    if (const std::optional<double> value = plainDecimal(text))
        return *value;
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
    if (record.rpm > kMaxPlausibleRpm)  // noise, as in the live values
        record.rpm = 0;
    record.wattHours = wattHoursValue(tags);
    return record;
}

}  // namespace corvane
