#include "web/web_documents.h"

#include "history/summary_csv.h"
#include "publish/json_texts.h"
#include "viewer/day_record.h"
#include "viewer/record_arrays.h"
#include "viewer/time_of_day.h"

#include <QFile>

namespace corvane {

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
                       json += "{\"time\": \"" + timeOfDayText(record->time).toLatin1();
                       json += "\", \"volts\": " + jsonNumber(record->volts).toLatin1();
                       json += ", \"amps\": " + jsonNumber(record->amps).toLatin1();
                       json += ", \"watts\": " + jsonNumber(record->watts).toLatin1();
                       json += ", \"rpm\": " + jsonNumber(record->rpm).toLatin1();
                       json += ", \"wind_speed\": " + jsonNumber(record->speed).toLatin1();
                       json += ", \"watt_hours\": " + jsonNumber(record->wattHours).toLatin1() + '}';
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
