#include "logging/error_log_entry.h"

#include "text/date_time_text.h"

namespace corvane {

QString errorLogLine(const QDate& date, const QTime& time, const QString& trapMessage,
                     const QString& errorText, const QString& lastFrame)
{
    return dateText(date) + QStringLiteral("  ") + timeText(time) + QStringLiteral("  ") + trapMessage
           + QStringLiteral("  ") + errorText + QStringLiteral(" <RB> ") + QStringLiteral(" <IM> ")
           + lastFrame;
}

QString lastErrorCaption(const QTime& time, const QString& trapMessage, const QString& errorText)
{
    return QStringLiteral("  Last Error trapped  ") + timeText(time) + QStringLiteral("  ---  ")
           + trapMessage + QStringLiteral("  ") + errorText;
}

}  // namespace corvane
