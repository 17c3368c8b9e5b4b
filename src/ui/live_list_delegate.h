#pragma once

#include <QStyledItemDelegate>

namespace corvane {

// Paints the live list's cells as the standard delegate does for plain, unselected text
// rows (the text in the view's font and text colour, inside the style's margins), but
// without the general item layout that made a repaint cost most of a frame.
class LiveListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace corvane
