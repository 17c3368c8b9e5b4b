#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace corvane {

inline const QString kErrorLogFile = QStringLiteral("errorlog.txt");

// One line of errorlog.txt, without its CR LF:
// date, two blanks, time, two blanks, message, two blanks, error text, " <RB> ", " <IM> ", frame.
// Each CR or LF in the texts becomes a blank, so an entry is always one line.
QString errorLogLine(const QDate& date, const QTime& time, const QString& trapMessage,
                     const QString& errorText, const QString& lastFrame);

// The message area's last-error caption.
QString lastErrorCaption(const QTime& time, const QString& trapMessage, const QString& errorText);

}  // namespace corvane
