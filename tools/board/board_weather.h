#pragma once

#include "board/board_frames.h"
#include "board/board_random.h"

namespace corvane::board {

// The calibration a first install ships in settings.cfg; the board's raw counts are made
// to read as sensible volts, amps, RPM and km/h through it.
namespace calibration {
inline constexpr double kVoltDivider = 30;
inline constexpr double kVoltOffset = 512;
inline constexpr double kAmpDivider = 10;
inline constexpr double kRpmDivider = 14;
inline constexpr double kWsDivider = 2;
}  // namespace calibration

// Wind with gusts, a windmill that follows it with some inertia, the charging current it
// gives and the battery voltage that current lifts.
class BoardWeather {
public:
    BoardWeather(int bankVolts, Random& random);

    // Moves the weather on by `seconds` and reads the board's counts.
    RawReading next(double seconds);
    // The wind the gusts and lulls return to (18 km/h unless set).
    void setMeanWindKmh(double kmh) { m_meanWindKmh = kmh; }

    double windKmh() const { return m_windKmh + m_gustKmh; }
    double rotorRpm() const { return m_rotorRpm; }
    double chargeAmps() const;
    double batteryVolts() const;

private:
    int m_bankVolts;
    Random& m_random;
    double m_meanWindKmh;
    double m_windKmh = 0;
    double m_gustKmh = 0;
    double m_rotorRpm = 0;
    double m_voltNoise = 0;
};

}  // namespace corvane::board
