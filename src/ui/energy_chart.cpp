#include "ui/energy_chart.h"

#include "history/period_text.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace corvane {
namespace {

// The dark panel of the main window's live list, with bars in its green.
const QColor kPanel(0x1f, 0x27, 0x2e);
const QColor kGrid(0x34, 0x41, 0x4b);
const QColor kAxisText(0xa9, 0xb8, 0xb3);
const QColor kBarTop(0x5c, 0xd6, 0xa4);
const QColor kBarBottom(0x23, 0x8a, 0x66);
const QColor kHoverTop(0xb4, 0xf5, 0xd9);
const QColor kMarkedOutline(0xf2, 0xc9, 0x4c);

constexpr int kLeftMargin = 78;
constexpr int kRightMargin = 14;
constexpr int kTopMargin = 14;
constexpr int kBottomMargin = 30;

}  // namespace

EnergyChart::EnergyChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("EnergyChart"));
    setMouseTracking(true);
    setMinimumSize(480, 260);
}

void EnergyChart::setBars(std::vector<std::optional<double>> values, QStringList labels, std::optional<int> markedSlot)
{
    m_values = std::move(values);
    m_labels = std::move(labels);
    m_marked = markedSlot;
    m_hovered.reset();
    update();
}

QRectF EnergyChart::plotArea() const
{
    return QRectF(kLeftMargin, kTopMargin, std::max(1, width() - kLeftMargin - kRightMargin),
                  std::max(1, height() - kTopMargin - kBottomMargin));
}

void EnergyChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath panel;
    panel.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(panel, kPanel);

    const BarChartGeometry g = chartGeometry();
    const QRectF area = g.plotArea;
    painter.setFont(font());
    painter.setPen(QPen(kGrid, 1));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    for (const double value : g.gridValues) {
        const double y = area.bottom() - barHeight(g, value);
        painter.setPen(QPen(kGrid, 1, Qt::DashLine));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(kAxisText);
        painter.drawText(QRectF(0, y - 10, kLeftMargin - 8, 20), Qt::AlignRight | Qt::AlignVCenter, scaleText(value));
    }

    // Every label when they fit, else every second or fifth one.
    const QFontMetrics metrics(font());
    const int widest = metrics.horizontalAdvance(QStringLiteral("Mmm"));
    const int labelStep = g.slotWidth >= widest ? 1 : g.slotWidth * 2 >= widest ? 2 : 5;
    for (std::size_t slot = 0; slot < g.bars.size(); ++slot) {
        const QRectF column(area.left() + g.slotWidth * static_cast<double>(slot), area.top(), g.slotWidth, area.height());
        const bool hovered = m_hovered && *m_hovered == static_cast<int>(slot);
        if (hovered)
            painter.fillRect(column, QColor(255, 255, 255, 18));
        if (const std::optional<QRectF>& bar = g.bars[slot]) {
            QLinearGradient fill(bar->topLeft(), QPointF(bar->left(), area.bottom()));
            fill.setColorAt(0, hovered ? kHoverTop : kBarTop);
            fill.setColorAt(1, kBarBottom);
            QPainterPath shape;
            shape.addRoundedRect(bar->adjusted(0, -1, 0, 0), 3, 3);
            painter.fillPath(shape, fill);
        }
        if (m_marked && *m_marked == static_cast<int>(slot)) {
            painter.setPen(QPen(kMarkedOutline, 1.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(column.adjusted(1, 1, -1, -1), 4, 4);
        }
        if (slot < static_cast<std::size_t>(m_labels.size()) && slot % labelStep == 0) {
            painter.setPen(kAxisText);
            painter.drawText(QRectF(column.left() - 10, area.bottom() + 4, column.width() + 20, kBottomMargin - 6),
                             Qt::AlignHCenter | Qt::AlignTop, m_labels[static_cast<int>(slot)]);
        }
    }
}

void EnergyChart::setHovered(std::optional<int> slot)
{
    if (slot == m_hovered)
        return;
    m_hovered = slot;
    update();
    emit hovered(slot.value_or(-1));
}

void EnergyChart::mouseMoveEvent(QMouseEvent* event) { setHovered(slotAt(chartGeometry(), event->position())); }

void EnergyChart::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (const std::optional<int> slot = slotAt(chartGeometry(), event->position()))
        emit activated(*slot);
}

void EnergyChart::leaveEvent(QEvent*) { setHovered(std::nullopt); }

}  // namespace corvane
