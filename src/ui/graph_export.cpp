// Export of the plotted span as a CSV file in the logs folder.
#include "ui/graph.h"

#include "platform/files.h"
#include "text/failure.h"
#include "ui/graph_texts.h"
#include "viewer/csv_export.h"

namespace corvane {

void Graph::CSV_Click()
{
    if (!text1->text().contains(u'.')) {
        message(graph_text::noFileChosen);
        return;
    }
    const std::optional<QString> name =
        csvFileName(text1->text(), {Time1h->text(), Time1m->text(), Time2h->text(), Time2m->text()});
    if (!name) {
        message(graph_text::csvNameUnusable);
        return;
    }
    if (!touchDayFile())
        return;

    const QString path = logsPath(*name);
    try {
        writeFile(path, graph_text::lineEnd);
        if (records.recordCount > 0)
            writeFile(path, csvText(records, windowStart, windowEnd));
    } catch (const Failure& failure) {
        message(graph_text::csvFailed.arg(failure.description()));
        return;
    }
    message(records.recordCount > 0 ? graph_text::done : graph_text::noData);
}

}  // namespace corvane
