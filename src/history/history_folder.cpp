#include "history/history_folder.h"

#include "history/exit_entries.h"
#include "history/summary_cache.h"
#include "logging/day_file.h"
#include "logging/watt_hours.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>

namespace corvane {
namespace {

constexpr qsizetype kDayFileNameLength = 16;  // P_2010_03_07.txt

ExitTimes exitTimesOf(const QString& programFolder)
{
    QFile file(programFolder + u'/' + kWattHoursFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray content = file.readAll();
    return readExitTimes(content);
}

// The summary of one day file, or why it cannot be read.
std::optional<DaySummary> summariseFile(QFile& file, const std::vector<TimeOfDay>& exits, QString& problem)
{
    if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
        return std::nullopt;
    }
    const qint64 size = file.size();
    if (size == 0)
        return summariseDay({}, exits);
    // Mapped rather than copied: a year of day files is a quarter of a gigabyte.
    if (const uchar* mapped = file.map(0, size))
        return summariseDay(QByteArrayView(mapped, size), exits);
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        problem = file.errorString();
        return std::nullopt;
    }
    return summariseDay(content, exits);
}

}  // namespace

std::optional<QDate> dayFileDate(const QString& fileName)
{
    if (fileName.size() != kDayFileNameLength || !fileName.startsWith(QStringLiteral("P_"))
        || !fileName.endsWith(QStringLiteral(".txt")))
        return std::nullopt;
    const QDate date = QDate::fromString(fileName.mid(2, 10), QStringLiteral("yyyy_MM_dd"));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

HistoryReading readHistory(const QString& programFolder, const QDate& from, const QDate& to)
{
    const QDir logs(programFolder + u'/' + kLogsFolder);
    std::map<QDate, QString> dayFiles;
    for (const QString& name : logs.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const std::optional<QDate> date = dayFileDate(name);
        if (date && (!from.isValid() || *date >= from) && (!to.isValid() || *date <= to))
            dayFiles.emplace(*date, name);
    }

    HistoryReading reading;
    if (dayFiles.empty())
        return reading;
    const ExitTimes exits = exitTimesOf(programFolder);
    SummaryCache cache(programFolder + u'/' + kHistoryCacheFile);
    cache.load();
    for (const auto& [date, name] : dayFiles) {
        const QString path = logs.filePath(name);
        const QFileInfo info(path);
        SummaryCache::Key key{info.size(), info.lastModified().toMSecsSinceEpoch(),
                              exits.value(date)};
        if (const DaySummary* cached = cache.find(name, key)) {
            reading.days.push_back({date, *cached});
            continue;
        }
        QFile file(path);
        QString problem;
        const std::optional<DaySummary> summary = summariseFile(file, key.exitTimes, problem);
        if (!summary) {
            reading.problems << kLogsFolder + u'/' + name + QStringLiteral(": ") + problem;
            continue;
        }
        key.size = file.size();
        cache.store(name, key, *summary);
        reading.days.push_back({date, *summary});
    }
    // A cache that cannot be written only makes the next reading slower.
    cache.save();
    return reading;
}

}  // namespace corvane
