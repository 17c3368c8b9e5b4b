#pragma once

#include "platform/serial_port.h"

#include <QString>

namespace corvane {

class Clock;
class Interaction;

// What the windows reach of the outside world; tests pass fakes and a temporary folder.
struct Platform {
    QString programFolder;
    Clock* clock = nullptr;
    Interaction* interaction = nullptr;
    SerialPortFactory makeSerialPort;

    // A file or folder in the program's folder, e.g. path("logs/Whours.txt").
    QString path(const QString& name) const { return programFolder + u'/' + name; }
};

}  // namespace corvane
