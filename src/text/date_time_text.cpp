#include "text/date_time_text.h"

#include <QRegularExpression>

namespace corvane {

QString dateText(const QDate& date) { return date.toString(QStringLiteral("yyyy_MM_dd")); }

QString timeText(const QTime& time) { return time.toString(QStringLiteral("HH:mm")); }

std::optional<QTime> parseTimeOfDay(QStringView text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text.toString());
    if (!match.hasMatch())
        return std::nullopt;
    const int hour = match.capturedView(1).toInt();
    const int minute = match.capturedView(2).toInt();
    const int second = match.hasCaptured(3) ? match.capturedView(3).toInt() : 0;
    const QTime time(hour, minute, second);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

}  // namespace corvane
