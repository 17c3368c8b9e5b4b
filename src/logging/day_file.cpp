#include "logging/day_file.h"

#include "platform/files.h"
#include "text/date_time_text.h"
#include "text/failure.h"

#include <QFileInfo>

namespace corvane {

QString dayFilePath(const QDate& date)
{
    return kLogsFolder + QStringLiteral("/P_") + dateText(date) + QStringLiteral(".txt");
}

void appendLogLine(const QString& path, const QString& line)
{
    const QString text = line + QStringLiteral("\r\n");
    try {
        appendToFile(path, text);
    } catch (const Failure&) {
        // A logs folder removed while the program runs is made again, so that a logger left
        // alone for months keeps its records; any other fault is reported to the caller.
        const QString folder = QFileInfo(path).absolutePath();
        if (QFileInfo::exists(folder) || !createFolder(folder))
            throw;
        appendToFile(path, text);
    }
}

}  // namespace corvane
