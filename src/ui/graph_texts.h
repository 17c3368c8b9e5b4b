#pragma once

#include <QString>

// The log viewer's own texts, spelled as the user sees them.
namespace corvane::graph_text {
inline const QString caption = QStringLiteral("Graph");
inline const QString title = QStringLiteral("Log History");
inline const QString file = QStringLiteral("File");
inline const QString time = QStringLiteral("Time");
inline const QString from = QStringLiteral("From");
inline const QString to = QStringLiteral("To");
inline const QString colon = QStringLiteral(":");
inline const QString display = QStringLiteral("DISPLAY");
inline const QString exit = QStringLiteral("Exit");
inline const QString csv = QStringLiteral(".CSV");
inline const QString start = QStringLiteral("Start");
inline const QString finish = QStringLiteral("Finish");
inline const QString zero = QStringLiteral("0");
inline const QString wattHours = QStringLiteral("Wh");
inline const QString volts = QStringLiteral("Volts");
inline const QString amps = QStringLiteral("Amps");
inline const QString watts = QStringLiteral("Watts");
inline const QString rpm = QStringLiteral("RPM");
inline const QString windSpeed = QStringLiteral("WS");
inline const QString scaled = QStringLiteral("Scaled");
inline const QString unscaled = QStringLiteral("Unscaled");
inline const QString fileFilter = QStringLiteral("*.txt");
inline const QString logsFolder = QStringLiteral("logs");
inline const QString lineEnd = QStringLiteral("\r\n");

inline const QString noData = QStringLiteral("No data for that date");
inline const QString overLimit = QStringLiteral(
    "Over 10,000 records, too many to display. Please use a smaller time range. If you set you logging interval "
    "to 10 seconds or more, you wont have this problem in the future. ");
inline const QString done = QStringLiteral("Done");

inline const QString noFileChosen = QStringLiteral("Please choose a day file from the list first.");
inline const QString invalidTime =
    QStringLiteral("From and To must each be a time of day: hour 00 to 23, minute 00 to 59.");
inline const QString configUnreadable = QStringLiteral(
    "prog.cfg could not be read, so no log can be displayed. Save the settings in Program Setup first.");
// %1: the key.
inline const QString configValueUnusable = QStringLiteral(
    "prog.cfg holds no usable %1 value, so no log can be displayed. Save the settings in Program Setup first.");
// %1: the system's reason.
inline const QString dayFileFailed = QStringLiteral("The day file could not be read or written (%1).");
inline const QString csvNameUnusable =
    QStringLiteral("The time boxes hold characters that cannot be part of a file name.");
// %1: the system's reason.
inline const QString csvFailed = QStringLiteral("The CSV file could not be written (%1).");
}  // namespace corvane::graph_text
