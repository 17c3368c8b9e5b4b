#pragma once

#include <QLabel>

namespace corvane {

// A one-line label for texts of any length, such as received frames and error entries:
// a text wider than the label ends in "…" and its tooltip shows it whole (before any
// tooltip of the label's own). Its size hint is one line whatever the text, so a new
// text repaints the label without laying out the window again.
class SingleLineLabel : public QLabel {
    Q_OBJECT
public:
    explicit SingleLineLabel(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The text as painted: whole, or cut to the label's width.
    QString shownText() const;
    // What the tooltip shows: the whole text when it is cut, then the label's own tooltip.
    QString tooltipText() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The advance of the font's widest printable ASCII character, kept for its font.
    int widestPlainCharacter() const;
    // Draws a plain text as the style would, without its paragraph layout; false when the
    // text or the label needs the style's own drawing.
    bool drawPlainLines(QPainter& painter, const QString& shown) const;

    mutable QFont m_measuredFont;
    mutable int m_widestPlain = -1;
};

}  // namespace corvane
