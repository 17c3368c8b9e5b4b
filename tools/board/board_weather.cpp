#include "board/board_weather.h"

#include <algorithm>
#include <cmath>

namespace corvane::board {
namespace {
constexpr double kMeanWindKmh = 18;
constexpr double kWindReversionPerSecond = 0.1;
constexpr double kWindSpreadKmh = 2;
constexpr double kGustsPerSecond = 0.08;
constexpr double kGustDecaySeconds = 4;
constexpr double kMaxWindKmh = 49;  // keeps S at two digits, within the frame's 60 characters
constexpr double kCutInKmh = 6;
constexpr double kRpmPerKmh = 16;
constexpr double kMaxRpm = 395;  // within the viewer's fixed 400 RPM scale; R stays at two digits
constexpr double kRotorLagSeconds = 1.5;
constexpr double kChargeStartRpm = 120;
constexpr double kFullChargeRpm = 400;
constexpr double kMaxAmps = 20;

int counts(double value, int most)
{
    return std::clamp(static_cast<int>(std::lround(value)), 0, most);
}
}  // namespace

BoardWeather::BoardWeather(int bankVolts, Random& random)
    : m_bankVolts(bankVolts), m_random(random), m_meanWindKmh(kMeanWindKmh), m_windKmh(kMeanWindKmh)
{
    m_rotorRpm = std::max(0.0, m_windKmh - kCutInKmh) * kRpmPerKmh;
}

double BoardWeather::chargeAmps() const
{
    const double share =
        std::clamp((m_rotorRpm - kChargeStartRpm) / (kFullChargeRpm - kChargeStartRpm), 0.0, 1.0);
    return kMaxAmps * share * share;
}

double BoardWeather::batteryVolts() const
{
    // Resting near 2.1 V a cell, rising towards 2.2 V a cell under full charge.
    return m_bankVolts * (1.05 + 0.05 * chargeAmps() / kMaxAmps) + m_voltNoise;
}

RawReading BoardWeather::next(double seconds)
{
    const double dt = std::max(seconds, 0.0);
    m_windKmh += kWindReversionPerSecond * (m_meanWindKmh - m_windKmh) * dt +
                 kWindSpreadKmh * std::sqrt(dt) * m_random.normal();
    m_windKmh = std::clamp(m_windKmh, 0.0, kMaxWindKmh);
    m_gustKmh *= std::exp(-dt / kGustDecaySeconds);
    if (m_random.chance(kGustsPerSecond * dt))
        m_gustKmh += m_random.between(6, 14);

    const double wind = std::min(windKmh(), kMaxWindKmh);
    const double targetRpm = std::min(std::max(0.0, wind - kCutInKmh) * kRpmPerKmh, kMaxRpm);
    m_rotorRpm += (targetRpm - m_rotorRpm) * (1.0 - std::exp(-dt / kRotorLagSeconds));
    m_voltNoise = 0.01 * m_bankVolts / 12.0 * m_random.normal();

    using namespace calibration;
    RawReading reading;
    reading.v = counts(batteryVolts() * kVoltDivider, 9999);
    reading.i = counts(kVoltOffset + chargeAmps() * kAmpDivider + m_random.normal() * 0.5, 999);
    reading.r = counts(m_rotorRpm * kRpmDivider / 60.0, 99);
    reading.m = 0;
    reading.s = counts(wind * kWsDivider, 99);
    return reading;
}

}  // namespace corvane::board
