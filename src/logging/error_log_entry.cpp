#include "logging/error_log_entry.h"

#include "text/date_time_text.h"

namespace corvane {

QString errorLogLine(const QDate& date, const QTime& time, const QString& trapMessage,
                     const QString& errorText, const QString& lastFrame)
{
    QString line = dateText(date) + QStringLiteral("  ") + timeText(time) + QStringLiteral("  ") + trapMessage
                   + QStringLiteral("  ") + errorText + QStringLiteral(" <RB> ") + QStringLiteral(" <IM> ")
                   + lastFrame;
    // The board ends its frames with CR LF, so a frame's text often begins with the line end
    // of the one before; written as received, it would split the entry in two.
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

QString lastErrorCaption(const QTime& time, const QString& trapMessage, const QString& errorText)
{
    return QStringLiteral("  Last Error trapped  ") + timeText(time) + QStringLiteral("  ---  ")
           + trapMessage + QStringLiteral("  ") + errorText;
}

}  // namespace corvane
