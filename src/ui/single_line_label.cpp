#include "ui/single_line_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

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

void SingleLineLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(),
                          shownText(), foregroundRole());
}

}  // namespace corvane
