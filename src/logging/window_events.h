#pragma once

#include "logging/interval_values.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace corvane {

// One frame the main window accepted: its values after rounding, the running watt-hour
// total and the wind-speed unit text, at the moment it was shown.
struct AcceptedFrame {
    QDateTime time;
    double volts = 0;
    double amps = 0;
    double watts = 0;
    double wattHours = 0;
    double rpm = 0;
    double windSpeed = 0;
    QString windUnits;
};

// One record appended to a day file: the values its line carries and when it was written.
struct WrittenRecord {
    QDate date;
    QTime time;
    IntervalValues means;
    int loadFlag = 0;
    double wattHours = 0;
};

// What the main window announces to consumers that are not part of it (a publisher, a
// cache). Called on the user-interface thread; a listener must return quickly.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void frameAccepted(const AcceptedFrame& frame) = 0;
    virtual void recordWritten(const WrittenRecord& record) = 0;
    // The error-log line as written, without its CR LF.
    virtual void errorLogged(const QString& line) = 0;
    // A receive notification that ended in an error-log entry instead of a frame.
    virtual void frameRejected() {}
    // Logging was switched on or off.
    virtual void loggingSwitched(bool on) { (void)on; }
};

}  // namespace corvane
