#include "logging/interval_values.h"
#include "logging/watt_hours.h"
#include "text/failure.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvane {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();

TEST(IntervalSums, AFrameIsAddedToEverySum)
{
    const IntervalValues sums = sumsWithFrame({12.5, 3, 37.5, 100, 4}, {12.7, -1, 0.5, 50, 0.5});
    EXPECT_DOUBLE_EQ(sums.volts, 25.2);
    EXPECT_DOUBLE_EQ(sums.amps, 2);
    EXPECT_DOUBLE_EQ(sums.watts, 38);
    EXPECT_DOUBLE_EQ(sums.rpm, 150);
    EXPECT_DOUBLE_EQ(sums.windSpeed, 4.5);
}

// A sum that no double holds would turn the interval's record into "inf": the frame fails
// instead, whichever of the five sums it would overflow.
TEST(IntervalSums, ASumTooLargeFailsWithOverflow)
{
    for (int series = 0; series < 5; ++series) {
        SCOPED_TRACE(series);
        IntervalValues frame;
        double* values[] = {&frame.volts, &frame.amps, &frame.watts, &frame.rpm, &frame.windSpeed};
        *values[series] = kLargest;
        const IntervalValues sums = sumsWithFrame({}, frame);
        try {
            sumsWithFrame(sums, frame);
            ADD_FAILURE() << "no failure";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.description(), failure_text::overflow);
        }
    }
}

TEST(WattHours, ATotalTooLargeStaysAsItWas)
{
    EXPECT_DOUBLE_EQ(wattHoursAfterTick(10, 720), 11);
    EXPECT_EQ(wattHoursAfterTick(kLargest, kLargest), kLargest);
    EXPECT_EQ(wattHoursAfterTick(-kLargest, -kLargest), -kLargest);
}

}  // namespace
}  // namespace corvane
