#include "alerts/alert_log.h"

#include "platform/files.h"
#include "text/date_time_text.h"
#include "text/failure.h"

namespace corvane {

QString alertLogLine(const AlertChange& change)
{
    const QString separator = QStringLiteral("  ");
    return dateText(change.since.date()) + u' ' + change.since.time().toString(QStringLiteral("HH:mm:ss")) + separator
           + (change.raised ? QStringLiteral("raised") : QStringLiteral("cleared")) + separator + change.key + separator
           + change.message + QStringLiteral("\r\n");
}

void AlertLog::alertChanged(const AlertChange& change)
{
    try {
        appendToFile(m_path, alertLogLine(change));
    } catch (const Failure& failure) {
        if (m_reportFailure)
            m_reportFailure(QStringLiteral("An alert could not be written to alerts.txt"), failure.description());
    }
}

}  // namespace corvane
