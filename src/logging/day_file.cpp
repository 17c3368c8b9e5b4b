#include "logging/day_file.h"

#include "platform/files.h"
#include "text/date_time_text.h"
#include "text/failure.h"

#include <QFileInfo>

namespace corvane {

namespace {
const QString kDayFilePrefix = QStringLiteral("P_");
const QString kDayFileSuffix = QStringLiteral(".txt");
}  // namespace

QString dayFileName(const QDate& date)
{
    return kDayFilePrefix + dateText(date) + kDayFileSuffix;
}

std::optional<QDate> dayFileDate(const QString& fileName)
{
    if (!fileName.startsWith(kDayFilePrefix) || !fileName.endsWith(kDayFileSuffix))
        return std::nullopt;
    const QString datePart = fileName.sliced(kDayFilePrefix.size(),
                                             fileName.size() - kDayFilePrefix.size() - kDayFileSuffix.size());
    const std::optional<QDate> date = dateFromText(datePart);
    if (!date || dayFileName(*date) != fileName)
        return std::nullopt;
    return date;
}

QString dayFilePath(const QDate& date)
{
    return kLogsFolder + u'/' + dayFileName(date);
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
