#pragma once

#include "fuzz_app.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

namespace corvane::fuzz {

// The lines of a log file, each checked to be whole: ending in CR LF, with no CR or LF
// inside it. A missing file has no lines.
inline QList<QByteArray> wholeLines(const QString& path, const char* invariant)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray content = file.readAll();
    require(content.isEmpty() || content.endsWith("\r\n"), invariant);
    QList<QByteArray> lines = content.split('\n');
    lines.removeLast();  // what follows the last line end, empty as checked above
    for (QByteArray& line : lines) {
        require(line.endsWith('\r'), invariant);
        line.chop(1);
        require(!line.contains('\r'), invariant);
    }
    return lines;
}

inline bool isDigits(const QByteArray& text)
{
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// "2010_03_07  14:05  " in front of every error-log entry.
inline bool startsWithDateAndTime(const QByteArray& line)
{
    return line.size() >= 19 && isDigits(line.mid(0, 4)) && line[4] == '_' && isDigits(line.mid(5, 2))
           && line[7] == '_' && isDigits(line.mid(8, 2)) && line.mid(10, 2) == "  " && isDigits(line.mid(12, 2))
           && line[14] == ':' && isDigits(line.mid(15, 2)) && line.mid(17, 2) == "  ";
}

}  // namespace corvane::fuzz
