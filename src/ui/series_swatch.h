#pragma once

#include "viewer/series.h"

#include <QWidget>

namespace corvane {

// A short stroke of a series' line colour on the plot's background, shown beside the
// series' check box.
class SeriesSwatch : public QWidget {
    Q_OBJECT
public:
    SeriesSwatch(Series series, QWidget* parent);

    Series series() const { return m_series; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Series m_series;
};

}  // namespace corvane
