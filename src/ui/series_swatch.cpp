#include "ui/series_swatch.h"

#include <QPainter>

namespace corvane {
namespace {

constexpr QSize kSwatchSize(18, 12);
constexpr int kStrokeWidth = 3;

QColor colourOf(const Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

}  // namespace

SeriesSwatch::SeriesSwatch(Series series, QWidget* parent) : QWidget(parent), m_series(series)
{
    setFixedSize(kSwatchSize);
}

QSize SeriesSwatch::sizeHint() const
{
    return kSwatchSize;
}

void SeriesSwatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), colourOf(kBackgroundColour));
    const int middle = height() / 2;
    painter.fillRect(QRect(2, middle - kStrokeWidth / 2, width() - 4, kStrokeWidth),
                     colourOf(kSeriesStyles[indexOf(m_series)].colour));
}

}  // namespace corvane
