#include "app/run_modes.h"

#include "history/history_folder.h"
#include "history/summary_csv.h"

#include <cstdio>

namespace corvane {

// Needs no display: reads the day files, prints the CSV (a range that ends before it
// begins holds no day), names each day file that could not be read.
int runSummary(int&, char**, const QString& folder, const CommandLine& line)
{
    const HistoryReading reading = readHistory(folder, line.from.value_or(QDate()), line.to.value_or(QDate()));
    const QByteArray csv = summaryCsv(reading.days).toLatin1();
    std::fwrite(csv.constData(), 1, static_cast<std::size_t>(csv.size()), stdout);
    std::fflush(stdout);
    for (const QString& problem : reading.problems)
        std::fprintf(stderr, "corvane: %s\n", problem.toLocal8Bit().constData());
    return reading.problems.isEmpty() ? 0 : 1;
}

}  // namespace corvane
