#include "publish/json_texts.h"

#include "text/date_time_text.h"
#include "text/number_format.h"

#include <cmath>

namespace corvane {
namespace {

// A record field's text as a JSON number: ".50" needs its leading zero, "" is 0.
QString fieldNumber(double value, QStringView pattern)
{
    if (!std::isfinite(value))
        return QStringLiteral("null");
    QString text = formatPattern(value, pattern);
    if (text.isEmpty() || text == u'-')
        return QStringLiteral("0");
    if (text.startsWith(u'.'))
        text.prepend(u'0');
    else if (text.startsWith(QStringLiteral("-.")))
        text.insert(1, u'0');
    return text;
}

QString member(const char* name, const QString& value)
{
    return u'"' + QLatin1StringView(name) + QStringLiteral("\": ") + value;
}

}  // namespace

QString jsonString(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QStringLiteral("\\\""); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + u'"';
}

QString jsonNumber(double value)
{
    return std::isfinite(value) ? generalNumberText(value) : QStringLiteral("null");
}

QString isoLocalTime(const QDateTime& time)
{
    // Put together by hand: it runs for every frame, and the format-string route costs
    // several times as much.
    const QDate date = time.date();
    const QTime clock = time.time();
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    char text[32];
    const auto two = [](char* at, int value) {
        at[0] = static_cast<char>('0' + value / 10 % 10);
        at[1] = static_cast<char>('0' + value % 10);
    };
    const int year = date.year();
    two(text, year / 100);
    two(text + 2, year % 100);
    text[4] = '-';
    two(text + 5, date.month());
    text[7] = '-';
    two(text + 8, date.day());
    text[10] = 'T';
    two(text + 11, clock.hour());
    text[13] = ':';
    two(text + 14, clock.minute());
    text[16] = ':';
    two(text + 17, clock.second());
    text[19] = offset < 0 ? '-' : '+';
    two(text + 20, minutes / 60);
    text[22] = ':';
    two(text + 23, minutes % 60);
    return QString::fromLatin1(text, 25);
}

QString liveJson(const AcceptedFrame& frame)
{
    // By hand, not QJsonDocument: its text is fixed, and its digits are the window's own.
    QString json;
    json.reserve(200);
    json += QStringLiteral("{\"time\": \"") + isoLocalTime(frame.time);
    json += QStringLiteral("\", \"volts\": ") + jsonNumber(frame.volts);
    json += QStringLiteral(", \"amps\": ") + jsonNumber(frame.amps);
    json += QStringLiteral(", \"watts\": ") + jsonNumber(frame.watts);
    json += QStringLiteral(", \"watt_hours\": ") + jsonNumber(frame.wattHours);
    json += QStringLiteral(", \"rpm\": ") + jsonNumber(frame.rpm);
    json += QStringLiteral(", \"wind_speed\": ") + jsonNumber(frame.windSpeed);
    json += QStringLiteral(", \"wind_units\": ") + jsonString(frame.windUnits) + u'}';
    return json;
}

QString recordJson(const WrittenRecord& record)
{
    // By hand, not QJsonDocument, with the record line's patterns: both carry the same digits.
    const QStringList members = {
        member("date", jsonString(record.date.toString(QStringLiteral("yyyy-MM-dd")))),
        member("time", jsonString(timeText(record.time))),
        member("volts", fieldNumber(record.means.volts, u"##.00")),
        member("amps", fieldNumber(record.means.amps, u"###.00")),
        member("watts", fieldNumber(record.means.watts, u"####.00")),
        member("rpm", fieldNumber(record.means.rpm, u"####")),
        member("wind_speed", fieldNumber(record.means.windSpeed, u"###.0")),
        member("watt_hours", fieldNumber(record.wattHours, u"######.0")),
    };
    return u'{' + members.join(QStringLiteral(", ")) + u'}';
}

}  // namespace corvane
