#include "sample_day.h"

#include "board/board_weather.h"
#include "logging/interval_values.h"
#include "logging/record_line.h"
#include "logging/watt_hours.h"
#include "telemetry/measurement.h"

#include <QTime>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace corvane::screenshots {
namespace {

constexpr int kSecondsPerDay = 24 * 60 * 60;
constexpr double kFrameSeconds = 0.5;
constexpr double kWattHourTickSeconds = 5;

// Calm nights, a breeze from about 06:00 that peaks near 15:00.
double meanWindAt(int secondsSinceMidnight)
{
    const double hours = secondsSinceMidnight / 3600.0;
    const double day = std::sin(std::numbers::pi * (hours - 6.0) / 15.0);
    return 7.0 + 14.0 * std::max(0.0, day);
}

}  // namespace

QByteArray sampleDayFile(int bankVolts, int intervalSeconds, std::uint64_t seed)
{
    board::Random random(seed);
    board::BoardWeather weather(bankVolts, random);
    const QString voltDivider = QString::number(board::calibration::kVoltDivider);
    const QString voltOffset = QString::number(board::calibration::kVoltOffset);
    const QString ampDivider = QString::number(board::calibration::kAmpDivider);
    const QString rpmDivider = QString::number(board::calibration::kRpmDivider);
    const QString wsDivider = QString::number(board::calibration::kWsDivider);

    QByteArray file;
    double wattHours = 0;
    double sinceWattHourTick = 0;
    for (int tick = intervalSeconds; tick < kSecondsPerDay; tick += intervalSeconds) {
        weather.setMeanWindKmh(meanWindAt(tick));
        IntervalValues sums;
        int frames = 0;
        for (double t = 0; t < intervalSeconds; t += kFrameSeconds) {
            const board::RawReading raw = weather.next(kFrameSeconds);
            const double volts = voltsFrom(raw.v, voltDivider);
            const double amps = ampsFrom(raw.i, voltOffset, ampDivider);
            const double watts = wattsFrom(amps, volts);
            sums.volts += volts;
            sums.amps += amps;
            sums.watts += watts;
            sums.rpm += rpmFrom(raw.r, rpmDivider);
            sums.windSpeed += windSpeedFrom(raw.s, wsDivider);
            ++frames;
            sinceWattHourTick += kFrameSeconds;
            if (sinceWattHourTick >= kWattHourTickSeconds) {
                sinceWattHourTick = 0;
                wattHours = wattHoursAfterTick(wattHours, watts);
            }
        }
        const QTime time = QTime(0, 0).addSecs(tick);
        file += recordLine(time, intervalMeans(sums, frames), 0, wattHours).toLatin1() + "\r\n";
    }
    return file;
}

}  // namespace corvane::screenshots
