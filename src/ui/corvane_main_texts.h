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

// Receiving frames: the stage texts that name what failed.
inline const QString longOrJoinedString = QStringLiteral(" ][ or long string");
inline const QString bracesWrong = QStringLiteral(" braces in wrong positions  corrupt COMMS");
inline const QString corruptVolts = QStringLiteral("corrupt Volts COMM data");
inline const QString corruptAmps = QStringLiteral("corrupt Amps COMM data");
inline const QString corruptRevsOrWind = QStringLiteral(" corrupt revs, or windspeed data in string");
inline const QString checksumError = QStringLiteral("checksum error");
inline const QString calculationsError = QStringLiteral("calculations error");
inline const QString displayListError = QStringLiteral("display list error");
inline const QString possibleCorruptComms = QStringLiteral("possible corrupt COMMS data");

// Logging.
inline const QString noValidData = QStringLiteral(" No valid data recieved during logging interval");
inline const QString bufferCleared = QStringLiteral("COMMS data buffer cleared");
inline const QString recordNotWritten = QStringLiteral("log record not written");
inline const QString wattHourEntryNotWritten = QStringLiteral("watt-hour entry not written");
inline const QString invalidDelay =
    QStringLiteral("Invalid delay period, needs to be a number between 10 and 600");
}  // namespace corvane::main_text
