#pragma once

#include <QString>

// The main window's own texts, spelled as the user sees them.
namespace corvane::main_text {
inline const QString waitingCaption = QStringLiteral("Corvane - Waiting for Signal");
inline const QString waitingForData = QStringLiteral(" Waiting for COMM data");
inline const QString errorTrapStart = QStringLiteral(" Error trap message  -     ");
inline const QString portNotAvailable = QStringLiteral("port not available");
inline const QString possibleCommsProblem = QStringLiteral("     possible COMMS problem");
inline const QString portNumberProblem =
    QStringLiteral("There is a possible Port Number problem. Check available PORTS");
inline const QString webAddress = QStringLiteral("corvane.example.org");
}  // namespace corvane::main_text
