#include "app/run_modes.h"

#include "history/history_folder.h"
#include "history/summary_csv.h"

#include <cstdio>

namespace corvane {

// Needs no display: reads the day files, prints the CSV, reports the unreadable files.
int runSummary(int&, char**, const QString& folder, const CommandLine& line)
{
    const QDate from = line.from.value_or(QDate());
    const QDate to = line.to.value_or(QDate());
    if (from.isValid() && to.isValid() && from > to) {
        std::fputs(qPrintable(summaryCsv({})), stdout);
        return 0;
    }
    const HistoryReading reading = readHistory(folder, from, to);
    const QByteArray csv = summaryCsv(reading.days).toLatin1();
    std::fwrite(csv.constData(), 1, static_cast<std::size_t>(csv.size()), stdout);
    std::fflush(stdout);
    for (const QString& problem : reading.problems)
        std::fprintf(stderr, "corvane: %s\n", problem.toLocal8Bit().constData());
    return reading.problems.isEmpty() ? 0 : 1;
}

}  // namespace corvane
