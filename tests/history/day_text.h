#pragma once

#include <QByteArray>

namespace corvane::test {

// A record line as the logger writes it, CR LF included; the fields are given as texts
// so that a test can put anything into them.
inline QByteArray dayLine(const QByteArray& time, const QByteArray& wattHours, const QByteArray& watts = "40.95",
                          const QByteArray& volts = "12.60", const QByteArray& rpm = "", const QByteArray& speed = "4.3")
{
    return "<T>" + time + "</T><V>" + volts + "</V><I>3.25</I><W>" + watts + "</W><R>" + rpm + "</R><S>" + speed
           + "</S><M>0</M>   " + wattHours + "Wh\r\n";
}

}  // namespace corvane::test
