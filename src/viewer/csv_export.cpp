#include "viewer/csv_export.h"

#include "viewer/plot_geometry.h"
#include "text/number_format.h"

namespace corvane {
namespace {

const QString kHeader = QStringLiteral("TIME,VOLTS,AMPS,WATTS,RPM,SPEED");
const QString kLineEnd = QStringLiteral("\r\n");

QString recordLine(const RecordArrays& records, int slot)
{
    return timeOfDayText(records.recTime[slot]) + u',' + formatPattern(records.recVolts[slot], u"##.00") + u','
           + formatPattern(records.recAmps[slot], u"###.00") + u','
           + formatPattern(records.recWatts[slot], u"####.00") + u',' + formatPattern(records.recRpm[slot], u"####")
           + u',' + formatPattern(records.recSpeed[slot], u"###.0");
}

// Typed box texts end up in the name; they must not lead out of the logs folder.
bool isPlainFileName(const QString& name)
{
    for (QChar c : name) {
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20)
            return false;
    }
    return true;
}

}  // namespace

std::optional<QString> csvFileName(const QString& dayFileName, const TimeBoxes& boxes)
{
    const qsizetype point = dayFileName.indexOf(u'.');
    if (point < 0)
        return std::nullopt;
    const QString name = dayFileName.left(point) + u'_' + boxes.fromHour + boxes.fromMinute + u'_' + boxes.toHour
                         + boxes.toMinute + QStringLiteral(".csv");
    if (!isPlainFileName(name))
        return std::nullopt;
    return name;
}

QString csvText(const RecordArrays& records, double windowStart, double windowEnd)
{
    QString text = kHeader + kLineEnd;
    for (int n = 0; n <= RecordArrays::kLastSlot && windowStart + n <= windowEnd; ++n)
        text += recordLine(records, slotAt(windowStart + n)) + kLineEnd;
    return text;
}

}  // namespace corvane
