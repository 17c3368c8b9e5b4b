#include "history/history_folder.h"

#include "history/exit_entries.h"
#include "history/summary_cache.h"
#include "logging/day_file.h"
#include "logging/watt_hours.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <map>
#include <thread>

namespace corvane {
namespace {

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

// One day file of a reading: what the cache knows of it, or what summarising it gave.
struct DayFileWork {
    QDate date;
    QString name;
    QString path;
    SummaryCache::Key key;
    std::optional<DaySummary> summary;
    QString problem;
};

void summariseOne(DayFileWork& day)
{
    QFile file(day.path);
    day.summary = summariseFile(file, day.key.exitTimes, day.problem);
    if (day.summary)
        day.key.size = file.size();
}

// The days the cache did not know, summarised side by side: a year without a cache is a
// quarter of a gigabyte to read.
void summariseOnAllCores(std::vector<DayFileWork>& work)
{
    const auto unknown = static_cast<unsigned>(
        std::count_if(work.begin(), work.end(), [](const DayFileWork& day) { return !day.summary; }));
    if (unknown == 0)
        return;
    std::atomic<std::size_t> next = 0;
    const auto worker = [&] {
        for (std::size_t i = next++; i < work.size(); i = next++) {
            if (!work[i].summary)
                summariseOne(work[i]);
        }
    };
    const unsigned helpers = std::min(std::max(1u, std::thread::hardware_concurrency()), unknown) - 1;
    std::vector<std::thread> threads;
    for (unsigned n = 0; n < helpers; ++n)
        threads.emplace_back(worker);
    worker();
    for (std::thread& thread : threads)
        thread.join();
}

}  // namespace

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

    std::vector<DayFileWork> work;
    for (const auto& [date, name] : dayFiles) {
        DayFileWork day{date, name, logs.filePath(name), {}, {}, {}};
        const QFileInfo info(day.path);
        day.key = {info.size(), info.lastModified().toMSecsSinceEpoch(), exits.value(date)};
        if (const DaySummary* cached = cache.find(name, day.key))
            day.summary = *cached;
        work.push_back(std::move(day));
    }
    summariseOnAllCores(work);

    for (DayFileWork& day : work) {
        if (!day.summary) {
            reading.problems << kLogsFolder + u'/' + day.name + QStringLiteral(": ") + day.problem;
            continue;
        }
        if (!cache.find(day.name, day.key))
            cache.store(day.name, day.key, *day.summary);
        reading.days.push_back({day.date, *day.summary});
    }
    // A cache that cannot be written only makes the next reading slower.
    cache.save();
    return reading;
}

}  // namespace corvane
