// DISPLAY and the drawing of the plot.
#include "ui/graph.h"

#include "text/failure.h"
#include "ui/graph_texts.h"
#include "ui/plot_widget.h"
#include "viewer/day_file_loader.h"
#include "viewer/plot_geometry.h"

#include <QFile>

namespace corvane {
namespace {

// A day logged every 10 seconds is under a megabyte; far larger files are not logs and
// would only hold the viewer up.
constexpr qint64 kLargestDayFile = qint64(512) << 20;

// The whole file in one read, as the 8-bit text it is.
QByteArray readDayFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(file.errorString() + QStringLiteral(": ") + path);
    if (file.size() > kLargestDayFile)
        throw Failure(QStringLiteral("larger than 512 MB: ") + path);
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(file.errorString() + QStringLiteral(": ") + path);
    return content;
}

}  // namespace

void Graph::Command1_Click()
{
    if (text1->text().isEmpty()) {
        message(graph_text::noFileChosen);
        return;
    }
    const std::optional<TimeOfDay> from = timeOfDayFromBoxes(Time1h->text(), Time1m->text());
    const std::optional<TimeOfDay> to = timeOfDayFromBoxes(Time2h->text(), Time2m->text());
    if (!from || !to) {
        message(graph_text::invalidTime);
        return;
    }
    if (!m_configProblem.isEmpty()) {
        message(m_configProblem);
        return;
    }
    fromTime = *from;
    toTime = *to;

    if (!touchDayFile())
        return;
    QByteArray content;
    try {
        content = readDayFile(dayFilePath());
    } catch (const Failure& failure) {
        message(graph_text::dayFileFailed.arg(failure.description()));
        return;
    }

    records.recordCount = 0;
    zoomPending = false;
    switch (loadDayRecords(content, {fromTime, toTime}, records)) {
    case DayLoadOutcome::NoData:
        message(graph_text::noData);
        return;
    case DayLoadOutcome::OverLimit:
        message(graph_text::overLimit);
        return;
    case DayLoadOutcome::Loaded:
        break;
    }
    windowStart = 1;
    windowEnd = records.recordCount;
    DrawPlot();
}

void Graph::DrawPlot()
{
    PlotRequest request;
    request.windowStart = windowStart;
    request.windowEnd = windowEnd;
    request.shown = {showVolts, showAmps, showWatts, showRpm, showSpeed};
    request.scaled = scaled;
    request.voltsFullScale = voltsFullScale;
    request.maxAmps = maxAmps;
    request.logDelaySeconds = m_logDelaySeconds;
    request.WSUnits = WSUnits;
    PlotGeometry geometry = plotGeometry(records, request);

    Plot->clear();
    if (!geometry.drawn)
        return;
    windowWattHours = geometry.windowWattHours;

    stime->setText(geometry.startTime);
    Time1h->setText(geometry.startTime.left(2));
    Time1m->setText(geometry.startTime.right(2));
    ftime->setText(geometry.finishTime);
    Time2h->setText(geometry.finishTime.left(2));
    Time2m->setText(geometry.finishTime.right(2));

    QLabel* const upper[] = {VMax1, AMax1, WMax1, RMax1, SMax1};
    QLabel* const lower[] = {VMin1, AMin1, WMin1, RMin1, SMin1};
    for (Series series : kAllSeries) {
        upper[indexOf(series)]->setText(geometry.upperLabels[indexOf(series)]);
        lower[indexOf(series)]->setText(geometry.lowerLabels[indexOf(series)]);
    }

    m_plotStart = windowStart;
    watts->setText(geometry.wattHoursLabel);
    Plot->showPlot(std::move(geometry));
}

}  // namespace corvane
