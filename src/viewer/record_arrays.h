#pragma once

#include "viewer/time_of_day.h"

#include <vector>

namespace corvane {

// The records of the last load, one slot per record in file order from slot 1; slot 0 is
// never filled. The slots are allocated once and a load overwrites only the slots it
// reaches, so slots above recordCount keep what an earlier load left there.
struct RecordArrays {
    static constexpr int kSlotCount = 10001;
    static constexpr int kLastSlot = kSlotCount - 1;
    // A load stops when the count would reach this.
    static constexpr int kRecordLimit = 10000;

    RecordArrays()
        : recTime(kSlotCount, 0), recVolts(kSlotCount, 0.0), recAmps(kSlotCount, 0.0),
          recWatts(kSlotCount, 0.0), recRpm(kSlotCount, 0.0), recSpeed(kSlotCount, 0.0)
    {
    }

    int recordCount = 0;
    std::vector<TimeOfDay> recTime;
    std::vector<double> recVolts;
    std::vector<double> recAmps;
    std::vector<double> recWatts;
    std::vector<double> recRpm;
    std::vector<double> recSpeed;
};

}  // namespace corvane
