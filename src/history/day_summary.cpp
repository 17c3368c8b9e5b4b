#include "history/day_summary.h"

#include "viewer/day_record.h"

#include <algorithm>
#include <optional>

namespace corvane {
namespace {

constexpr TimeOfDay kFirstMinuteEnd = 60;

// Follows the runs of the watt-hour total through the records of a day.
class EnergyRuns {
public:
    explicit EnergyRuns(std::vector<TimeOfDay> exitTimes) : m_exits(std::move(exitTimes))
    {
        std::sort(m_exits.begin(), m_exits.end());
    }

    void take(const DayRecord& record)
    {
        bool runEnds = false;
        // A record later than an exit starts the next run; one of the exit's own minute
        // was written before the exit.
        while (m_nextExit < m_exits.size() && record.time > m_exits[m_nextExit]) {
            runEnds = true;
            ++m_nextExit;
        }
        const bool totalFell = m_inRun && record.wattHours < m_last.wattHours;
        if (m_inRun && (runEnds || totalFell))
            closeRun(totalFell);
        m_last = record;
        m_inRun = true;
    }

    double energy()
    {
        if (m_inRun)
            closeRun(false);
        return m_energy;
    }

private:
    void closeRun(bool followedByLower)
    {
        // Written in the day's first seconds, before the total was reset for the new day.
        const bool previousDays = followedByLower && m_last.time < kFirstMinuteEnd;
        if (!previousDays)
            m_energy += m_last.wattHours;
        m_inRun = false;
    }

    std::vector<TimeOfDay> m_exits;
    std::size_t m_nextExit = 0;
    // The latest record of the run that is still open.
    DayRecord m_last;
    bool m_inRun = false;
    double m_energy = 0;
};

}  // namespace

DaySummary summariseDay(QByteArrayView content, const std::vector<TimeOfDay>& exitTimes)
{
    DaySummary summary;
    EnergyRuns runs(exitTimes);
    double windSum = 0;
    forEachDayLine(std::string_view(content.data(), static_cast<std::size_t>(content.size())),
                   [&](std::string_view line) {
                       const std::optional<DayRecord> record = readDayRecord(line);
                       if (!record)
                           return true;
                       if (summary.records == 0) {
                           summary.peakWatts = record->watts;
                           summary.minVolts = summary.maxVolts = record->volts;
                           summary.maxRpm = record->rpm;
                       }
                       ++summary.records;
                       summary.peakWatts = std::max(summary.peakWatts, record->watts);
                       summary.minVolts = std::min(summary.minVolts, record->volts);
                       summary.maxVolts = std::max(summary.maxVolts, record->volts);
                       summary.maxRpm = std::max(summary.maxRpm, record->rpm);
                       windSum += record->speed;
                       runs.take(*record);
                       return true;
                   });
    summary.energyWh = runs.energy();
    if (summary.records > 0)
        summary.meanWind = windSum / summary.records;
    return summary;
}

}  // namespace corvane
