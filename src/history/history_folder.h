#pragma once

#include "history/day_entry.h"

#include <QDate>
#include <QString>
#include <optional>

namespace corvane {

// The summaries kept between runs, in the program's folder.
inline const QString kHistoryCacheFile = QStringLiteral("history-cache.tsv");

// Summarises the day files in the program folder's logs between `from` and `to`, both
// included (an invalid date leaves that end open), taking the summaries of unchanged files
// from the cache and writing it back. Only reads logs/.
HistoryReading readHistory(const QString& programFolder, const QDate& from = {}, const QDate& to = {});

}  // namespace corvane
