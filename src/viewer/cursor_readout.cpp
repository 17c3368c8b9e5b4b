#include "viewer/cursor_readout.h"

#include "viewer/plot_geometry.h"
#include "text/number_format.h"
#include "text/rounding.h"

#include <cmath>

namespace corvane {
namespace {

bool isLoadedSlot(const RecordArrays& records, double slot)
{
    return std::isfinite(slot) && slot >= 0 && slot <= records.recordCount && slot <= RecordArrays::kLastSlot;
}

QString valueText(double value, Series series, const QString& wsUnits)
{
    return generalNumberText(roundHalfEven(value, 2)) + seriesUnit(series, wsUnits);
}

}  // namespace

CursorReadout cursorReadout(const RecordArrays& records, double x, double windowStart, const QString& wsUnits)
{
    CursorReadout readout;
    const double timeSlot = std::floor(x + windowStart);
    if (isLoadedSlot(records, timeSlot))
        readout.time = timeOfDayText(records.recTime[static_cast<int>(timeSlot)]);

    const double valueSlot = roundHalfEven(std::floor(x) + windowStart);
    if (isLoadedSlot(records, valueSlot)) {
        const int k = static_cast<int>(valueSlot);
        readout.values = std::array<QString, kSeriesCount>{
            valueText(records.recVolts[k], Series::Volts, wsUnits),
            valueText(records.recAmps[k], Series::Amps, wsUnits),
            valueText(records.recWatts[k], Series::Watts, wsUnits),
            valueText(records.recRpm[k], Series::Rpm, wsUnits),
            valueText(records.recSpeed[k], Series::Speed, wsUnits),
        };
    }
    return readout;
}

}  // namespace corvane
