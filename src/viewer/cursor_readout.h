#pragma once

#include "viewer/record_arrays.h"
#include "viewer/series.h"

#include <QString>
#include <array>
#include <optional>

namespace corvane {

// The texts under the pointer. The time and the values are looked up separately, so
// one of them can lie inside the loaded records while the other does not.
struct CursorReadout {
    std::optional<QString> time;
    // Volts, amps, watts, RPM and wind speed with their units; all or none.
    std::optional<std::array<QString, kSeriesCount>> values;
};

// The readout at pointer position x (plot units, 0 at the window's left edge) of a window
// that starts at `windowStart`: the time of slot floor(x + windowStart), the values of
// slot floor(x) + windowStart (rounded when the start is not whole), each value rounded to
// 2 decimals, halves to even, in its shortest form. A slot outside 0 to recordCount gives
// nothing.
CursorReadout cursorReadout(const RecordArrays& records, double x, double windowStart, const QString& wsUnits);

}  // namespace corvane
