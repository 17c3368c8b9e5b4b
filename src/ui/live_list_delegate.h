#pragma once

#include <QFont>
#include <QHash>
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
    // The standard size, kept for each column's last text: the view asks for the first
    // row's sizes whenever a value in it changes, and its units never do.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    struct KnownSize {
        QString text;
        QFont font;
        QSize size;
    };
    mutable QHash<int, KnownSize> m_knownSizes;
};

}  // namespace corvane
