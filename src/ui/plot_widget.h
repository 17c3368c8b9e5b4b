#pragma once

#include "viewer/plot_geometry.h"

#include <QImage>
#include <QWidget>
#include <vector>

namespace corvane {

// The viewer's drawing surface. It keeps what has been drawn since the last clearing
// (the plot of the last draw and the red drag lines) and paints it again on every paint
// event, at whatever size the surface has. Mouse positions are reported in the units of
// the width the last draw set: 0 at the left edge, that width at the right edge.
class PlotWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlotWidget(QWidget* parent = nullptr);

    // Empties the picture; the width units stay those of the last draw.
    void clear();
    // Shows a draw's plot and takes its width as the units of the mouse positions.
    void showPlot(PlotGeometry geometry);
    // A red line along the top edge between two positions, kept until the next clearing.
    void addDragLine(double fromX, double toX);

    // What the last draw showed; not drawn after a clearing.
    const PlotGeometry& picture() const { return m_geometry; }
    double scaleWidth() const { return m_scaleWidth; }
    // The pixel column of a position, and the position of a pixel column.
    double pixelX(double x, int pixelWidth) const;
    float unitsAt(double pixelX) const;

    // Paints the whole picture into a painter of the given size.
    void paintPicture(QPainter& painter, const QSize& size) const;

signals:
    void pressed(float x);
    void moved(float x);
    void released(float x);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The lines drawn from one press position, kept as the stretch they cover together.
    struct DragLine {
        double pressX = 0;
        double lowX = 0;
        double highX = 0;
    };

    void paintPlot(QPainter& painter, const QSize& size) const;
    void paintDragLines(QPainter& painter, const QSize& size) const;

    PlotGeometry m_geometry;
    std::vector<DragLine> m_dragLines;
    double m_scaleWidth = 0;
    // The plot as last painted at the widget's size; drag lines go on top of it.
    mutable QImage m_cache;
};

}  // namespace corvane
