#pragma once

#include "history/day_summary.h"

#include <QHash>
#include <QString>
#include <vector>

namespace corvane {

// The summaries of day files that have not changed since they were summarised, kept in
// one file beside the program (never in logs/, which the viewer lists). A file's summary
// is used again only while its size, its modification time and the day's exit times are
// the same. The cache is replaced whole in one step, and a cache file that does not read
// back whole is thrown away.
class SummaryCache {
public:
    struct Key {
        qint64 size = 0;
        qint64 modifiedMs = 0;
        std::vector<TimeOfDay> exitTimes;
        bool operator==(const Key&) const = default;
    };

    explicit SummaryCache(QString path) : m_path(std::move(path)) {}

    // Reads the cache file; false when it was there but damaged (and is now ignored).
    bool load();
    const DaySummary* find(const QString& fileName, const Key& key) const;
    void store(const QString& fileName, const Key& key, const DaySummary& summary);
    // Writes the cache when anything was stored; false when it could not be written.
    bool save();

private:
    QString m_path;
    QHash<QString, std::pair<Key, DaySummary>> m_entries;
    bool m_changed = false;
};

}  // namespace corvane
