#include "viewer/day_file_loader.h"

#include "text/numeric_text.h"

#include <charconv>
#include <optional>

namespace corvane {
namespace {

constexpr QByteArrayView kLineEnd("\r\n");

struct FieldTags {
    QByteArrayView open;
    QByteArrayView close;
};

constexpr FieldTags kTimeTags{"<T>", "</T>"};
constexpr FieldTags kVoltsTags{"<V>", "</V>"};
constexpr FieldTags kAmpsTags{"<I>", "</I>"};
constexpr FieldTags kRpmTags{"<R>", "</R>"};
constexpr FieldTags kWattsTags{"<W>", "</W>"};
constexpr FieldTags kSpeedTags{"<S>", "</S>"};

// The text between the first opening and the first closing tag of the line; nothing
// when either is missing or the closing tag stands before the opening one.
std::optional<QByteArrayView> textBetween(QByteArrayView line, const FieldTags& tags)
{
    const qsizetype open = line.indexOf(tags.open);
    if (open < 0)
        return std::nullopt;
    const qsizetype close = line.indexOf(tags.close);
    const qsizetype start = open + tags.open.size();
    if (close < start)
        return std::nullopt;
    return line.sliced(start, close - start);
}

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

double fieldValue(QByteArrayView line, const FieldTags& tags)
{
    const std::optional<QByteArrayView> text = textBetween(line, tags);
    return text ? numberOrZero(*text) : 0.0;
}

enum class LineResult { Skipped, Taken, OverLimit };

LineResult takeLine(QByteArrayView line, TimeRange range, RecordArrays& records)
{
    const std::optional<QByteArrayView> timeText = textBetween(line, kTimeTags);
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
    records.recVolts[slot] = fieldValue(line, kVoltsTags);
    records.recAmps[slot] = fieldValue(line, kAmpsTags);
    records.recRpm[slot] = fieldValue(line, kRpmTags);
    records.recWatts[slot] = fieldValue(line, kWattsTags);
    records.recSpeed[slot] = fieldValue(line, kSpeedTags);
    if (records.recRpm[slot] > kRpmCeiling)
        records.recRpm[slot] = 0;
    return LineResult::Taken;
}

}  // namespace

DayLoadOutcome loadDayRecords(QByteArrayView content, TimeRange range, RecordArrays& records)
{
    records.recordCount = 0;
    qsizetype lineStart = 0;
    for (;;) {
        const qsizetype lineEnd = content.indexOf(kLineEnd, lineStart);
        const qsizetype end = lineEnd < 0 ? content.size() : lineEnd;
        if (takeLine(content.sliced(lineStart, end - lineStart), range, records) == LineResult::OverLimit)
            return DayLoadOutcome::OverLimit;
        if (lineEnd < 0)
            break;
        lineStart = lineEnd + kLineEnd.size();
    }
    return records.recordCount == 0 ? DayLoadOutcome::NoData : DayLoadOutcome::Loaded;
}

}  // namespace corvane
