// Cursor readout and zoom on the plot.
#include "ui/graph.h"

#include "ui/plot_widget.h"
#include "viewer/cursor_readout.h"

#include <algorithm>

namespace corvane {
namespace {

// The first two and the last two characters of the cursor time go into a pair of boxes.
void copyTime(const QLabel* time, QLineEdit* hour, QLineEdit* minute)
{
    hour->setText(time->text().left(2));
    minute->setText(time->text().right(2));
}

// Positions stay within the plot, so a zoom never reaches past the loaded records.
float withinPlot(float x, const PlotWidget* plot)
{
    return std::clamp(x, 0.0f, std::max(0.0f, static_cast<float>(plot->scaleWidth())));
}

}  // namespace

void Graph::Plot_MouseDown(float x)
{
    buttonDown = true;
    if (!zoomPending && records.recordCount > 1) {
        windowStart = withinPlot(x, Plot);
        copyTime(vt, Time1h, Time1m);
    }
}

void Graph::Plot_MouseMove(float x)
{
    if (records.recordCount <= 1)
        return;
    // Read from the start the plot was drawn with, so the readout follows the pointer
    // while the held button keeps the press position in windowStart.
    const CursorReadout readout = cursorReadout(records, x, m_plotStart, WSUnits);
    if (!readout.time)
        return;
    vt->setText(*readout.time);
    if (!readout.values)
        return;
    QLabel* const labels[] = {vv, av, wv, rv, sv};
    for (Series series : kAllSeries)
        labels[indexOf(series)]->setText((*readout.values)[indexOf(series)]);

    if (!zoomPending && buttonDown)
        Plot->addDragLine(windowStart, x);
}

void Graph::Plot_MouseUp(float x)
{
    buttonDown = false;
    x = withinPlot(x, Plot);
    if (!zoomPending && records.recordCount > 1 && static_cast<float>(windowStart) < x) {
        windowEnd = x;
        copyTime(vt, Time2h, Time2m);
        zoomPending = true;
        DrawPlot();
        Command1_Click();
    }
    zoomPending = false;
}

}  // namespace corvane
