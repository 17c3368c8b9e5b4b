#include "ui/corvane_main.h"

#include "logging/error_log_entry.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "text/failure.h"

namespace corvane {

void CorvaneMain::LogTrappedError()
{
    const QDateTime now = m_platform.clock->now();
    const QString line = errorLogLine(now.date(), now.time(), trapMessage, pendingErrorText, lastFrame);
    try {
        appendToFile(m_platform.path(kErrorLogFile), line + QStringLiteral("\r\n"));
        ErrorString->setToolTip(QString());
    } catch (const Failure& failure) {
        // The entry is lost, but the user must still see it: keep it on screen and say why.
        ErrorString->setToolTip(QStringLiteral("Not written to the error log: ") + failure.description());
    }
    announceErrorEntry(line);
    lastFrame.clear();
    if (!m_displayUpdates)
        return;
    ErrorString->setText(lastErrorCaption(now.time(), trapMessage, pendingErrorText));
    QPalette palette = ErrorString->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    ErrorString->setPalette(palette);
    Label2->setText(QString());
}

void CorvaneMain::trap(const Failure& failure)
{
    pendingErrorText = failure.description();
    LogTrappedError();
    pendingErrorText.clear();
}

}  // namespace corvane
