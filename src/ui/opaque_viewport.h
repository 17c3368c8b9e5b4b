#pragma once

#include <QColor>

class QAbstractScrollArea;

namespace corvane {

// Makes a scroll area's viewport fill what it repaints with one plain colour instead of
// drawing its style sheet's background. A panel with rounded corners otherwise draws
// its whole rounded outline again, and the window behind it, for every changed cell.
// The colour must be the panel's own background, so that nothing on screen changes.
void fillViewportPlainly(QAbstractScrollArea* area, const QColor& background);

}  // namespace corvane
