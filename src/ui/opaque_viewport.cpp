#include "ui/opaque_viewport.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace corvane {
namespace {

// Fills the region about to be painted; the view then paints its cells over it.
class PlainFill final : public QObject {
public:
    PlainFill(const QColor& background, QObject* parent) : QObject(parent), m_background(background) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            QPainter painter(static_cast<QWidget*>(watched));
            for (const QRect& rect : static_cast<QPaintEvent*>(event)->region())
                painter.fillRect(rect, m_background);
        }
        return false;
    }

private:
    QColor m_background;
};

}  // namespace

void fillViewportPlainly(QAbstractScrollArea* area, const QColor& background)
{
    QWidget* viewport = area->viewport();
    // Opaque: neither the viewport's styled background nor anything behind it is drawn.
    viewport->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport->installEventFilter(new PlainFill(background, viewport));
}

}  // namespace corvane
