#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace corvane {

// The folder of the day files and Whours.txt, in the program's folder.
inline const QString kLogsFolder = QStringLiteral("logs");

// The name of a date's day file: P_2010_03_07.txt. Every writer and reader of the day
// files names them with these two functions.
QString dayFileName(const QDate& date);
// The date a day file's name stands for, or nothing for any other name (a wrong case, a
// date that does not exist, one-digit months).
std::optional<QDate> dayFileDate(const QString& fileName);

// The day file of a date, relative to the program's folder: logs/P_2010_03_07.txt.
QString dayFilePath(const QDate& date);

// Appends one line and its CR LF in a single write, flushed to the disk before it
// returns; a missing folder is made again first. A line that cannot be written fails with
// the system's reason and leaves the file as it was.
void appendLogLine(const QString& path, const QString& line);

}  // namespace corvane
