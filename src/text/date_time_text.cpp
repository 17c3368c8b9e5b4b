#include "text/date_time_text.h"

namespace corvane {

namespace {
const QString kDatePattern = QStringLiteral("yyyy_MM_dd");
}  // namespace

QString dateText(const QDate& date) { return date.toString(kDatePattern); }

std::optional<QDate> dateFromText(const QString& text)
{
    const QDate date = QDate::fromString(text, kDatePattern);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

QString timeText(const QTime& time) { return time.toString(QStringLiteral("HH:mm")); }

namespace {

// Blanks (space, tab, line and page breaks), one or two digits, ":", one or two digits,
// optionally ":" and one or two digits, blanks. Read by hand rather than with a regular
// expression: the log viewer reads a time from every line of a day file, and a file of
// millions of lines must load in a moment.
template <typename Text>
std::optional<QTime> timeOfDayIn(Text text)
{
    const qsizetype size = text.size();
    qsizetype at = 0;
    const auto code = [&] { return at < size ? char16_t(text[at].unicode()) : u'\0'; };
    const auto skipBlanks = [&] {
        while (at < size && (code() == u' ' || (code() >= u'\t' && code() <= u'\r')))
            ++at;
    };
    const auto number = [&](int& value) {
        int digits = 0;
        for (value = 0; digits < 2 && code() >= u'0' && code() <= u'9'; ++digits, ++at)
            value = value * 10 + (code() - u'0');
        return digits > 0;
    };
    int hour = 0;
    int minute = 0;
    int second = 0;
    skipBlanks();
    if (!number(hour) || code() != u':')
        return std::nullopt;
    ++at;
    if (!number(minute))
        return std::nullopt;
    if (code() == u':') {
        ++at;
        if (!number(second))
            return std::nullopt;
    }
    skipBlanks();
    const QTime time(hour, minute, second);
    if (at != size || !time.isValid())
        return std::nullopt;
    return time;
}

}  // namespace

std::optional<QTime> parseTimeOfDay(QStringView text) { return timeOfDayIn(text); }

std::optional<QTime> parseTimeOfDay(QLatin1StringView text) { return timeOfDayIn(text); }

}  // namespace corvane
