#pragma once

#include <QDate>
#include <QString>

namespace corvane {

// The folder of the day files and Whours.txt, in the program's folder.
inline const QString kLogsFolder = QStringLiteral("logs");

// The day file of a date, relative to the program's folder: logs/P_2010_03_07.txt.
QString dayFilePath(const QDate& date);

// Appends one line and its CR LF in a single write, flushed to the disk before it
// returns; a missing folder is made again first. A line that cannot be written fails with
// the system's reason and leaves the file as it was.
void appendLogLine(const QString& path, const QString& line);

}  // namespace corvane
