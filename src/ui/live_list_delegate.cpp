#include "ui/live_list_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QPaintEngine>

namespace corvane {

void LiveListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // The view paints every cell of a row that has a changed cell; a cell outside the
    // region being repainted would only be clipped away after its text was laid out.
    // That region is the paint engine's clip, kept in device coordinates.
    const QRegion repainted = painter->paintEngine() ? painter->paintEngine()->systemClip() : QRegion();
    if (!repainted.isEmpty() && !repainted.intersects(painter->deviceTransform().mapRect(option.rect)))
        return;
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return;
    const QWidget* view = option.widget;
    const QStyle* style = view ? view->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QRect area = option.rect.adjusted(margin, 0, -margin, 0);
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const int flags = alignment.isValid() ? alignment.toInt() : static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);

    painter->save();
    painter->setFont(option.font);
    const QPalette::ColorGroup group = (option.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    painter->setPen(option.palette.color(group, QPalette::Text));
    const QFontMetricsF metrics(option.font);
    const qreal width = metrics.horizontalAdvance(text);
    if (width <= area.width() && (flags & Qt::AlignVCenter) && (flags & (Qt::AlignLeft | Qt::AlignRight))) {
        // A text that fits, placed where the general text layout would put it, without
        // laying it out as a paragraph first.
        const qreal x = (flags & Qt::AlignRight) ? area.x() + area.width() - width : area.x();
        const qreal top = area.y() + (area.height() - (metrics.ascent() + metrics.descent())) / 2;
        painter->drawText(QPointF(x, top + metrics.ascent()), text);
    } else {
        painter->drawText(area, flags | Qt::TextSingleLine,
                          option.fontMetrics.elidedText(text, option.textElideMode, area.width()));
    }
    painter->restore();
}

QSize LiveListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // The list's cells differ only in text, font and column (no icons, no check boxes).
    const QString text = index.data(Qt::DisplayRole).toString();
    KnownSize& known = m_knownSizes[index.column()];
    if (known.size.isValid() && known.text == text && known.font == option.font)
        return known.size;
    known = {text, option.font, QStyledItemDelegate::sizeHint(option, index)};
    return known.size;
}

}  // namespace corvane
