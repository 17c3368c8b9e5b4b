#include "viewer/time_of_day.h"

#include "text/date_time_text.h"

namespace corvane {
namespace {

constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<TimeOfDay> secondsOf(const std::optional<QTime>& time)
{
    if (!time)
        return std::nullopt;
    return time->msecsSinceStartOfDay() / 1000;
}

}  // namespace

QString timeOfDayText(TimeOfDay time)
{
    return timeText(QTime::fromMSecsSinceStartOfDay(time * 1000));
}

std::optional<TimeOfDay> timeOfDayFromText(QByteArrayView text)
{
    // Every record carries "hh:mm"; read that directly, since a day file can hold
    // millions of lines, and leave every other form to the general rule.
    if (text.size() == 5 && isDigit(text[0]) && isDigit(text[1]) && text[2] == ':'
        && isDigit(text[3]) && isDigit(text[4])) {
        const int hour = (text[0] - '0') * 10 + (text[1] - '0');
        const int minute = (text[3] - '0') * 10 + (text[4] - '0');
        if (hour < 24 && minute < 60)
            return hour * kSecondsPerHour + minute * kSecondsPerMinute;
        return std::nullopt;
    }
    return secondsOf(parseTimeOfDay(QLatin1StringView(text.data(), text.size())));
}

std::optional<TimeOfDay> timeOfDayFromBoxes(const QString& hour, const QString& minute)
{
    return secondsOf(parseTimeOfDay(QString(hour + u':' + minute)));
}

}  // namespace corvane
