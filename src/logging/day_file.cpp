#include "logging/day_file.h"

#include "platform/files.h"
#include "text/date_time_text.h"

namespace corvane {

QString dayFilePath(const QDate& date)
{
    return kLogsFolder + QStringLiteral("/P_") + dateText(date) + QStringLiteral(".txt");
}

void appendLogLine(const QString& path, const QString& line)
{
    appendToFile(path, line + QStringLiteral("\r\n"));
}

}  // namespace corvane
