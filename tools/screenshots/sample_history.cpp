#include "sample_history.h"

#include "logging/day_file.h"
#include "logging/record_line.h"

#include <QFile>
#include <QTime>
#include <cmath>
#include <random>

namespace corvane::screenshots {
namespace {

constexpr int kIntervalMinutes = 10;

QByteArray sampleDay(double dayWind, std::mt19937& random)
{
    std::normal_distribution<double> gust(0, 0.6);
    QByteArray text;
    double wattHours = 0;
    for (int minute = 0; minute < 24 * 60; minute += kIntervalMinutes) {
        IntervalValues means;
        // Calm at night, strongest in the afternoon.
        means.windSpeed = std::max(0.0, dayWind * (0.6 + 0.5 * std::sin((minute - 420) * M_PI / 720)) + gust(random));
        means.watts = 0.9 * std::pow(means.windSpeed, 3);
        means.volts = 24 + means.watts / 200;
        means.amps = means.watts / means.volts;
        means.rpm = means.windSpeed * 35;
        wattHours += means.watts * kIntervalMinutes / 60;
        text += recordLine(QTime(minute / 60, minute % 60), means, 0, wattHours).toLatin1() + "\r\n";
    }
    return text;
}

}  // namespace

void writeSampleHistory(const QString& folder, const QDate& today)
{
    std::mt19937 random(20100307);
    std::normal_distribution<double> weather(0, 1.4);
    for (QDate date(today.year(), 1, 1); date < today; date = date.addDays(1)) {
        QFile file(folder + u'/' + dayFilePath(date));
        // Windier in winter; a still day now and then.
        const double dayWind = std::max(0.3, 3.2 + 1.8 * std::cos(date.dayOfYear() * 2 * M_PI / 365) + weather(random));
        if (file.exists() || !file.open(QIODevice::WriteOnly))
            continue;
        file.write(sampleDay(dayWind, random));
    }
}

}  // namespace corvane::screenshots
