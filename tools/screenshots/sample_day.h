#pragma once

#include <QByteArray>
#include <cstdint>

namespace corvane::screenshots {

// A whole day file as Corvane writes it at a logging interval of `intervalSeconds`, from
// the simulated board's frames (two a second, read through the first-install
// calibration) under a wind that is calm at night and rises towards the afternoon.
QByteArray sampleDayFile(int bankVolts, int intervalSeconds, std::uint64_t seed);

}  // namespace corvane::screenshots
