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
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + (offset < 0 ? u'-' : u'+')
           + QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString liveJson(const AcceptedFrame& frame)
{
    const QStringList members = {
        member("time", jsonString(isoLocalTime(frame.time))),
        member("volts", jsonNumber(frame.volts)),
        member("amps", jsonNumber(frame.amps)),
        member("watts", jsonNumber(frame.watts)),
        member("watt_hours", jsonNumber(frame.wattHours)),
        member("rpm", jsonNumber(frame.rpm)),
        member("wind_speed", jsonNumber(frame.windSpeed)),
        member("wind_units", jsonString(frame.windUnits)),
    };
    return u'{' + members.join(QStringLiteral(", ")) + u'}';
}

QString recordJson(const WrittenRecord& record)
{
    // The same patterns as the record line, so that both carry the same digits.
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
