#pragma once

#include "fuzz_app.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

namespace corvane::fuzz {

// Follows one append-only log file and checks that what was appended since the last look
// is whole lines: each ends in CR LF and holds no other CR or LF. Reading only the new
// part keeps a run of thousands of steps fast.
class LogFileWatch {
public:
    LogFileWatch(QString path, const char* invariant) : m_path(std::move(path)), m_invariant(invariant) {}

    // The lines appended since the last call, without their CR LF.
    QList<QByteArray> newLines()
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        require(file.size() >= m_seen, "a log file is only appended to");
        file.seek(m_seen);
        const QByteArray added = file.readAll();
        m_seen += added.size();
        require(added.isEmpty() || added.endsWith("\r\n"), m_invariant);
        QList<QByteArray> lines = added.split('\n');
        lines.removeLast();  // what follows the last line end, empty as checked above
        for (QByteArray& line : lines) {
            require(line.endsWith('\r'), m_invariant);
            line.chop(1);
            require(!line.contains('\r'), m_invariant);
        }
        m_lines += lines.size();
        return lines;
    }

    // Lines in the file since it was last emptied.
    qsizetype lineCount() const { return m_lines; }

    // Empties the file once it is larger than `bytes`, so a long run stays fast.
    bool removeIfLarger(qint64 bytes)
    {
        if (m_seen <= bytes || !QFile::remove(m_path))
            return false;
        m_seen = 0;
        m_lines = 0;
        return true;
    }

private:
    QString m_path;
    const char* m_invariant;
    qint64 m_seen = 0;
    qsizetype m_lines = 0;
};

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
