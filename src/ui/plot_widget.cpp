#include "ui/plot_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

// Values far beyond the scale are clipped by the surface. Pixel positions are bounded
// first (so that no arithmetic overflows) and then each segment is cut to the visible
// area, since the rasteriser drops lines whose end points lie millions of pixels away.
constexpr double kFarPixel = 1e12;
constexpr double kClipMargin = 2;

QColor colourOf(const Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// Maps plot units to pixels: 0 to the first pixel, the full extent to the last one.
double toPixels(double units, double extentUnits, int pixels)
{
    if (extentUnits == 0 || pixels <= 1)
        return 0;
    const double pixel = units * (pixels - 1) / extentUnits;
    return std::isfinite(pixel) ? std::clamp(pixel, -kFarPixel, kFarPixel) : std::nan("");
}

// Cuts the segment to the rectangle (Liang-Barsky); false when nothing of it is inside.
bool clipTo(QLineF& line, const QRectF& area)
{
    const double x0 = line.x1();
    const double y0 = line.y1();
    const double dx = line.dx();
    const double dy = line.dy();
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(dx) || !std::isfinite(dy))
        return false;
    double enter = 0;
    double leave = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {x0 - area.left(), area.right() - x0, y0 - area.top(), area.bottom() - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave)
        return false;
    // Uncut ends keep their exact positions, so the next segment joins on.
    const QPointF from = enter > 0 ? QPointF(x0 + enter * dx, y0 + enter * dy) : line.p1();
    const QPointF to = leave < 1 ? QPointF(x0 + leave * dx, y0 + leave * dy) : line.p2();
    line = QLineF(from, to);
    return true;
}

QRectF visibleArea(const QSize& size)
{
    return QRectF(-kClipMargin, -kClipMargin, size.width() + 2 * kClipMargin, size.height() + 2 * kClipMargin);
}

}  // namespace

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Plot"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotWidget::clear()
{
    m_geometry = PlotGeometry();
    m_dragLines.clear();
    m_cache = QImage();
    update();
}

void PlotWidget::showPlot(PlotGeometry geometry)
{
    m_geometry = std::move(geometry);
    m_scaleWidth = m_geometry.width;
    m_cache = QImage();
    update();
}

void PlotWidget::addDragLine(double fromX, double toX)
{
    // A drag adds a line at every move, all from the press position: keep their union.
    if (m_dragLines.empty() || m_dragLines.back().pressX != fromX)
        m_dragLines.push_back({fromX, fromX, fromX});
    DragLine& line = m_dragLines.back();
    line.lowX = std::min(line.lowX, toX);
    line.highX = std::max(line.highX, toX);
    update(0, 0, width(), 2);
}

double PlotWidget::pixelX(double x, int pixelWidth) const { return toPixels(x, m_scaleWidth, pixelWidth); }

float PlotWidget::unitsAt(double pixelX) const
{
    if (width() <= 1)
        return 0;
    return static_cast<float>(pixelX * m_scaleWidth / (width() - 1));
}

void PlotWidget::paintPicture(QPainter& painter, const QSize& size) const
{
    paintPlot(painter, size);
    paintDragLines(painter, size);
}

void PlotWidget::paintPlot(QPainter& painter, const QSize& size) const
{
    painter.fillRect(QRect(QPoint(0, 0), size), colourOf(kBackgroundColour));
    if (!m_geometry.drawn)
        return;
    const double width = m_geometry.width;
    const int w = size.width();
    const int h = size.height();

    painter.setPen(colourOf(kZeroLineColour));
    for (const ZeroLine& zero : m_geometry.zeroLines) {
        const double y = toPixels(zero.y, zero.height, h);
        painter.drawLine(QLineF(0, y, toPixels(width, width, w), y));
    }

    // Each series as one polyline over the ones before it; a series leaves the visible
    // area only where its values run off the scale, and is cut there.
    const QRectF area = visibleArea(size);
    std::vector<QPointF> run;
    for (const SeriesLine& line : m_geometry.lines) {
        painter.setPen(QPen(colourOf(kSeriesStyles[indexOf(line.series)].colour), 0));
        run.clear();
        const auto flush = [&] {
            if (run.size() >= 2)
                painter.drawPolyline(run.data(), static_cast<int>(run.size()));
            run.clear();
        };
        QPointF previous(toPixels(line.points.front().x(), width, w), toPixels(line.points.front().y(), line.height, h));
        for (std::size_t n = 1; n < line.points.size(); ++n) {
            const QPointF next(toPixels(line.points[n].x(), width, w), toPixels(line.points[n].y(), line.height, h));
            QLineF segment(previous, next);
            previous = next;
            if (!clipTo(segment, area)) {
                flush();
                continue;
            }
            if (run.empty() || segment.p1() != run.back()) {
                flush();
                run.push_back(segment.p1());
            }
            run.push_back(segment.p2());
        }
        flush();
    }
}

void PlotWidget::paintDragLines(QPainter& painter, const QSize& size) const
{
    painter.setPen(colourOf(kDragLineColour));
    for (const DragLine& line : m_dragLines) {
        QLineF segment(pixelX(line.lowX, size.width()), 0, pixelX(line.highX, size.width()), 0);
        if (clipTo(segment, visibleArea(size)))
            painter.drawLine(segment);
    }
}

void PlotWidget::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_cache.size() != pixels) {
        m_cache = QImage(pixels, QImage::Format_RGB32);
        m_cache.setDevicePixelRatio(ratio);
        QPainter cachePainter(&m_cache);
        paintPlot(cachePainter, size());
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_cache);
    paintDragLines(painter, size());
}

void PlotWidget::mousePressEvent(QMouseEvent* event) { emit pressed(unitsAt(event->position().x())); }

void PlotWidget::mouseMoveEvent(QMouseEvent* event) { emit moved(unitsAt(event->position().x())); }

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) { emit released(unitsAt(event->position().x())); }

}  // namespace corvane
