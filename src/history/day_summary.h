#pragma once

#include "viewer/time_of_day.h"

#include <QByteArrayView>
#include <vector>

namespace corvane {

// What one day file says about its day. The figures are meaningful only when records > 0.
struct DaySummary {
    int records = 0;
    double energyWh = 0;
    double peakWatts = 0;
    double minVolts = 0;
    double maxVolts = 0;
    double maxRpm = 0;
    double meanWind = 0;

    bool operator==(const DaySummary&) const = default;
};

// Summarises a day file's whole content. The watt-hour total restarts whenever the
// program starts, so the day is made of runs, each ending where the total falls or after
// an exit at one of `exitTimes` (the day's exits, in minutes as times of day): the
// energy is the sum of every run's last total. A total at 00:00 that a lower one follows
// still belongs to the day before and is left out.
DaySummary summariseDay(QByteArrayView content, const std::vector<TimeOfDay>& exitTimes);

}  // namespace corvane
