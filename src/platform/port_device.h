#pragma once

#include <QString>

namespace corvane {

// The device a port number designates: an entry "COMn" in the program's folder (a link
// to a device or pseudo-terminal) when there is one, else the system's n-th serial port.
QString portDevicePath(const QString& programFolder, int portNumber);

// The baud rate of a settings text such as "9600,N,8,1"; 0 when it holds none.
int baudRateOf(const QString& settings);

}  // namespace corvane
