#include "web/web_documents.h"

#include "history/summary_csv.h"
#include "publish/json_texts.h"
#include "viewer/day_record.h"
#include "viewer/record_arrays.h"

#include <QFile>

#include <charconv>
#include <cmath>

namespace corvane {

namespace {

// The shortest text that reads back as the same value, "." whatever the locale: the
// day's thousands of numbers are the bulk of the answer's cost.
void appendNumber(QByteArray& json, double value)
{
    if (!std::isfinite(value)) {
        json += "null";
        return;
    }
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    json.append(text, error == std::errc() ? end - text : 0);
}

}  // namespace

QByteArray dayJson(const QDate& date, QByteArrayView content)
{
    QByteArray json;
    json.reserve(content.size() + 64);
    json += "{\"date\": \"" + date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + "\", \"records\": [";
    int count = 0;
    forEachDayLine(std::string_view(content.data(), static_cast<std::size_t>(content.size())),
                   [&](std::string_view line) {
                       const std::optional<DayRecord> record = readDayRecord(line);
                       if (!record)
                           return true;
                       // The viewer's limit: it never shows more than this of one day.
                       if (++count >= RecordArrays::kRecordLimit)
                           return false;
                       if (count > 1)
                           json += ", ";
                       const char time[] = {char('0' + record->time / 36000), char('0' + record->time / 3600 % 10), ':',
                                            char('0' + record->time / 600 % 6), char('0' + record->time / 60 % 10)};
                       json += "{\"time\": \"";
                       json.append(time, sizeof time);
                       json += "\", \"volts\": ";
                       appendNumber(json, record->volts);
                       json += ", \"amps\": ";
                       appendNumber(json, record->amps);
                       json += ", \"watts\": ";
                       appendNumber(json, record->watts);
                       json += ", \"rpm\": ";
                       appendNumber(json, record->rpm);
                       json += ", \"wind_speed\": ";
                       appendNumber(json, record->speed);
                       json += ", \"watt_hours\": ";
                       appendNumber(json, record->wattHours);
                       json += '}';
                       return true;
                   });
    return json + "]}";
}

QByteArray summaryJson(const std::vector<DayEntry>& days)
{
    const QStringList keys = kSummaryHeader.split(u',');
    QStringList objects;
    for (const DayEntry& day : days) {
        const QStringList fields = summaryRow(day).split(u',');
        QStringList members;
        for (qsizetype i = 0; i < keys.size() && i < fields.size(); ++i) {
            const QString value = i == 0 ? jsonString(fields[i])
                                  : fields[i].isEmpty() ? QStringLiteral("null")
                                                        : fields[i];
            members << jsonString(keys[i]) + QStringLiteral(": ") + value;
        }
        objects << u'{' + members.join(QStringLiteral(", ")) + u'}';
    }
    return (u'[' + objects.join(QStringLiteral(", ")) + u']').toUtf8();
}

QByteArray linesJson(const QStringList& lines)
{
    QStringList items;
    items.reserve(lines.size());
    for (const QString& line : lines)
        items << jsonString(line);
    return (u'[' + items.join(QStringLiteral(", ")) + u']').toUtf8();
}

QStringList lastLines(const QString& path, int count)
{
    QFile file(path);
    if (count <= 0 || !file.open(QIODevice::ReadOnly))
        return {};
    // Reads blocks backwards until enough line ends are in hand, so that a long error
    // log costs no more than its tail.
    constexpr qint64 kBlock = 16 * 1024;
    QByteArray tail;
    qint64 position = file.size();
    while (position > 0 && tail.count('\n') <= count) {
        const qint64 start = std::max<qint64>(0, position - kBlock);
        if (!file.seek(start))
            return {};
        tail.prepend(file.read(position - start));
        position = start;
    }
    QList<QByteArray> lines = tail.split('\n');
    if (position > 0)
        lines.removeFirst();  // begun before the block read first
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QStringList result;
    for (qsizetype i = std::max<qsizetype>(0, lines.size() - count); i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        result << QString::fromLatin1(line);
    }
    return result;
}

QByteArray errorJson(const QString& reason)
{
    return (QStringLiteral("{\"error\": ") + jsonString(reason) + u'}').toUtf8();
}

}  // namespace corvane
