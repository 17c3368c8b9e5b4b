#pragma once

#include "history/bar_chart_geometry.h"

#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

namespace corvane {

// A bar chart of energies on a dark panel: one slot per value with its label below, grid
// lines with their energies at the left. Reports the slot under the pointer and the slot
// double-clicked.
class EnergyChart : public QWidget {
    Q_OBJECT
public:
    explicit EnergyChart(QWidget* parent = nullptr);

    void setBars(std::vector<std::optional<double>> values, QStringList labels, std::optional<int> markedSlot);
    const std::vector<std::optional<double>>& values() const { return m_values; }
    // Where the bars stand in the chart's current size.
    QRectF plotArea() const;
    BarChartGeometry chartGeometry() const { return barChartGeometry(m_values, plotArea()); }
    std::optional<int> hoveredSlot() const { return m_hovered; }

signals:
    // -1 when the pointer is over no slot.
    void hovered(int slot);
    void activated(int slot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHovered(std::optional<int> slot);

    std::vector<std::optional<double>> m_values;
    QStringList m_labels;
    std::optional<int> m_marked;
    std::optional<int> m_hovered;
};

}  // namespace corvane
