#include "telemetry/live_display.h"
#include "telemetry/measurement.h"
#include "text/failure.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace corvane {
namespace {

TEST(Measurement, RoundsHalfToEvenAndClamps)
{
    EXPECT_DOUBLE_EQ(voltsFrom(12.345, u"1"), 12.34);     // 1234.5 hundredths: to the even one
    EXPECT_DOUBLE_EQ(voltsFrom(1262.5, u"100"), 12.62);
    EXPECT_DOUBLE_EQ(voltsFrom(745, u"59.127"), 12.6);
    EXPECT_DOUBLE_EQ(rpmFrom(25, u"3"), 500.0);           // 500.00000000000006 before rounding
    EXPECT_EQ(rpmFrom(5001, u"600"), 0.0);                // 500.1
    EXPECT_FALSE(std::signbit(ampsFrom(499.99, u"500", u"1")));
    EXPECT_THROW(ampsFrom(512, u"", u"10"), Failure);
    EXPECT_THROW(rpmFrom(12, u"0"), Failure);
}

// A frame whose values no double can hold after scaling fails the calculation like a zero
// divisor does, instead of reaching the sums and the watt-hour total as infinity.
TEST(Measurement, ResultsBeyondTheLargestNumberFailWithOverflow)
{
    const struct {
        const char* what;
        std::function<double()> calculate;
    } cases[] = {
        {"volts, tiny divisor", [] { return voltsFrom(1e300, u"1e-10"); }},
        {"amps, offset subtracted", [] { return ampsFrom(1e308, u"-1e308", u"1"); }},
        {"amps, divided", [] { return ampsFrom(1e308, u"0", u"0.1"); }},
        {"rpm, times 60", [] { return rpmFrom(1e307, u"1"); }},
        {"wind speed", [] { return windSpeedFrom(1e308, u"0.5"); }},
        {"watts", [] { return wattsFrom(1e200, 1e200); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.calculate();
            ADD_FAILURE() << "no failure";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.description(), failure_text::overflow);
        }
    }
    EXPECT_DOUBLE_EQ(voltsFrom(1e308, u"1"), 1e308);  // large, but a number
    EXPECT_EQ(rpmFrom(1e300, u"1"), 0.0);              // a miscount, as any above 500
}

// The rows as "value unit" texts, joined, so that a mismatch reads plainly.
std::string shown(const QList<LiveRow>& rows)
{
    QStringList texts;
    for (const LiveRow& row : rows)
        texts << row.value + u' ' + row.unit;
    return texts.join(QStringLiteral("; ")).toStdString();
}

TEST(LiveDisplay, RowsFollowTheDisplayOptions)
{
    const LiveValues values{12.6, 3.25, 234.56, 0.5, 360.4, 4.5};
    const std::string four = "12.60 Volts; 3.3 Amps; 234.6 Watts; 0.5 WattHours";
    EXPECT_EQ(shown(liveRows(values, u"0", u"0", QStringLiteral("km/h"))), four);
    EXPECT_EQ(shown(liveRows(values, u"1.0", u"2", QString())), four + "; 360 RPM");
    EXPECT_EQ(shown(liveRows({0.5, 0, 0, 0, 0, 0}, u"0", u"1", QStringLiteral("knots"))),
              ".50 Volts; 0.0 Amps; 0.0 Watts; 0.0 WattHours; 0 knots");
    EXPECT_THROW(liveRows(values, u"0", u"", QString()), Failure);
}

}  // namespace
}  // namespace corvane
