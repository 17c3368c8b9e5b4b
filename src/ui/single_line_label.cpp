#include "ui/single_line_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace corvane {

SingleLineLabel::SingleLineLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

QSize SingleLineLabel::sizeHint() const
{
    const QMargins margins = contentsMargins();
    return {margins.left() + margins.right(), fontMetrics().height() + margins.top() + margins.bottom()};
}

QSize SingleLineLabel::minimumSizeHint() const
{
    return sizeHint();
}

namespace {

bool plainCharacter(QChar c)
{
    return (c.unicode() >= 0x20 && c.unicode() < 0x7f) || c == u'\r' || c == u'\n';
}

}  // namespace

int SingleLineLabel::widestPlainCharacter() const
{
    if (m_widestPlain < 0 || m_measuredFont != font()) {
        const QFontMetrics metrics = fontMetrics();
        m_widestPlain = 0;
        for (char16_t c = 0x20; c < 0x7f; ++c)
            m_widestPlain = std::max(m_widestPlain, metrics.horizontalAdvance(QChar(c)));
        m_measuredFont = font();
    }
    return m_widestPlain;
}

// A text of printable characters and line ends that fits even if each character were the
// widest of them is shown whole without measuring it: measuring lays the text out, which
// a received frame (a new text up to 20 times a second) would otherwise pay twice, to
// measure and to paint. A tab is no such character: it reaches the next tab stop.
QString SingleLineLabel::shownText() const
{
    const QString whole = text();
    const int width = contentsRect().width();
    if (whole.size() * qint64{widestPlainCharacter()} <= width && std::all_of(whole.begin(), whole.end(), plainCharacter))
        return whole;
    return fontMetrics().elidedText(whole, Qt::ElideRight, width);
}

QString SingleLineLabel::tooltipText() const
{
    QStringList parts;
    if (shownText() != text())
        parts << text();
    if (!toolTip().isEmpty())
        parts << toolTip();
    return parts.join(u'\n');
}

bool SingleLineLabel::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QLabel::event(event);
    const QString tip = tooltipText();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, this);
    }
    return true;
}

// The general text drawing lays the text out as a paragraph, breaking it into lines,
// which is most of what painting a received frame costs. A shown text of plain characters
// in the Fusion style is drawn here line by line where that drawing would put its lines:
// a carriage return shows as a blank, each line feed starts a line, the lines (each the
// font's height, starting on whole pixels a leading apart, up to the first that reaches
// the label's bottom) centred as a block and cut to the label.
bool SingleLineLabel::drawPlainLines(QPainter& painter, const QString& shown) const
{
    if (!isEnabled() || alignment() != (Qt::AlignLeft | Qt::AlignVCenter) || style()->name() != u"fusion"
        || shown.isEmpty() || !std::all_of(shown.begin(), shown.end(), plainCharacter))
        return false;
    const QFontMetricsF metrics(font());
    const QStringList lines = QString(shown).replace(u'\r', u' ').split(u'\n');
    const QRect area = contentsRect();
    QList<qreal> tops;
    qreal height = -metrics.leading();
    // Lines below the first that reaches the label's bottom are not laid out at all.
    for (qsizetype n = 0; n < lines.size() && height < area.height(); ++n) {
        height = std::ceil(height + metrics.leading());
        tops << height;
        height += metrics.ascent() + metrics.descent();
    }
    const qreal top = area.y() + (area.height() - height) / 2;
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setPen(QPen(palette().brush(foregroundRole()), painter.pen().widthF()));
    for (qsizetype n = 0; n < tops.size(); ++n)
        painter.drawText(QPointF(area.x(), top + tops[n] + metrics.ascent()), lines[n]);
    painter.restore();
    return true;
}

void SingleLineLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QString shown = shownText();
    if (!drawPlainLines(painter, shown))
        style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(), shown,
                              foregroundRole());
}

}  // namespace corvane
