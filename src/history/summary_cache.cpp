#include "history/summary_cache.h"

#include <QFile>
#include <QList>
#include <QSaveFile>

namespace corvane {
namespace {

const QByteArray kFirstLine = "corvane-history-cache 1";
const QByteArray kLastLinePrefix = "end ";
constexpr qsizetype kEntryFields = 11;

QByteArray exactNumber(double value) { return QByteArray::number(value, 'g', 17); }

QByteArray exitTimesText(const std::vector<TimeOfDay>& times)
{
    if (times.empty())
        return "-";
    QByteArray text;
    for (const TimeOfDay time : times)
        text += (text.isEmpty() ? "" : ",") + QByteArray::number(time);
    return text;
}

bool readExitTimes(const QByteArray& text, std::vector<TimeOfDay>& times)
{
    if (text == "-")
        return true;
    for (const QByteArray& part : text.split(',')) {
        bool ok = false;
        times.push_back(part.toInt(&ok));
        if (!ok)
            return false;
    }
    return true;
}

QByteArray entryLine(const QString& name, const SummaryCache::Key& key, const DaySummary& s)
{
    const QList<QByteArray> fields{name.toUtf8(),          QByteArray::number(key.size),
                                   QByteArray::number(key.modifiedMs), exitTimesText(key.exitTimes),
                                   QByteArray::number(s.records), exactNumber(s.energyWh),
                                   exactNumber(s.peakWatts), exactNumber(s.minVolts),
                                   exactNumber(s.maxVolts), exactNumber(s.maxRpm),
                                   exactNumber(s.meanWind)};
    return fields.join('\t') + '\n';
}

bool readEntry(const QByteArray& line, QString& name, SummaryCache::Key& key, DaySummary& s)
{
    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() != kEntryFields || fields[0].isEmpty())
        return false;
    name = QString::fromUtf8(fields[0]);
    bool ok[10] = {};
    key.size = fields[1].toLongLong(&ok[0]);
    key.modifiedMs = fields[2].toLongLong(&ok[1]);
    ok[2] = readExitTimes(fields[3], key.exitTimes);
    s.records = fields[4].toInt(&ok[3]);
    double* values[] = {&s.energyWh, &s.peakWatts, &s.minVolts, &s.maxVolts, &s.maxRpm, &s.meanWind};
    for (int i = 0; i < 6; ++i)
        *values[i] = fields[5 + i].toDouble(&ok[4 + i]);
    return std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; });
}

}  // namespace

bool SummaryCache::load()
{
    m_entries.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return true;  // no cache yet
    const QList<QByteArray> lines = file.readAll().split('\n');
    // The first line, the entries, the count, and the empty text after the last line end.
    const bool framed = lines.size() >= 3 && lines.first() == kFirstLine && lines.last().isEmpty()
                        && lines[lines.size() - 2].startsWith(kLastLinePrefix);
    bool whole = framed
                 && lines[lines.size() - 2].mid(kLastLinePrefix.size()) == QByteArray::number(lines.size() - 3);
    for (qsizetype i = 1; whole && i < lines.size() - 2; ++i) {
        QString name;
        Key key;
        DaySummary summary;
        whole = readEntry(lines[i], name, key, summary);
        m_entries.insert(name, {key, summary});
    }
    if (!whole) {
        // Summarising again costs time only; a wrong summary would cost trust.
        m_entries.clear();
        m_changed = true;
    }
    return whole;
}

const DaySummary* SummaryCache::find(const QString& fileName, const Key& key) const
{
    const auto entry = m_entries.constFind(fileName);
    if (entry == m_entries.constEnd() || !(entry->first == key))
        return nullptr;
    return &entry->second;
}

void SummaryCache::store(const QString& fileName, const Key& key, const DaySummary& summary)
{
    m_entries.insert(fileName, {key, summary});
    m_changed = true;
}

bool SummaryCache::save()
{
    if (!m_changed)
        return true;
    QByteArray text = kFirstLine + '\n';
    for (auto entry = m_entries.constBegin(); entry != m_entries.constEnd(); ++entry)
        text += entryLine(entry.key(), entry->first, entry->second);
    text += kLastLinePrefix + QByteArray::number(m_entries.size()) + '\n';
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return false;
    m_changed = false;
    return true;
}

}  // namespace corvane
