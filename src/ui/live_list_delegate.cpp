#include "ui/live_list_delegate.h"

#include <QApplication>
#include <QPainter>

namespace corvane {

void LiveListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
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
    painter->drawText(area, flags | Qt::TextSingleLine,
                      option.fontMetrics.elidedText(text, option.textElideMode, area.width()));
    painter->restore();
}

}  // namespace corvane
