#include "telemetry/live_display.h"
#include "telemetry/measurement.h"
#include "text/failure.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <string>

namespace corvane {
namespace {

TEST(Measurement, ScalesAndRoundsHalfToEven)
{
    EXPECT_DOUBLE_EQ(voltsFrom(745, u"59.127"), 12.6);
    EXPECT_DOUBLE_EQ(voltsFrom(12.345, u"1"), 12.34);     // half goes to the even neighbour
    EXPECT_DOUBLE_EQ(voltsFrom(1262.5, u"100"), 12.62);
    EXPECT_DOUBLE_EQ(ampsFrom(532, u"500", u"10"), 3.2);
    EXPECT_DOUBLE_EQ(windSpeedFrom(43, u"10"), 4.3);
    EXPECT_DOUBLE_EQ(wattsFrom(3.2, 12.6), 40.32);
    EXPECT_DOUBLE_EQ(wattsFrom(18.62, 12.6), 234.61);
}

TEST(Measurement, CurrentBelowTheOffsetIsZero)
{
    EXPECT_EQ(ampsFrom(499, u"500", u"10"), 0.0);
    EXPECT_FALSE(std::signbit(ampsFrom(499.99, u"500", u"1")));
}

TEST(Measurement, RpmAboveFiveHundredIsZero)
{
    EXPECT_DOUBLE_EQ(rpmFrom(25, u"3"), 500.0);   // 500.00000000000006 before rounding
    EXPECT_EQ(rpmFrom(5001, u"600"), 0.0);         // 500.1
    EXPECT_DOUBLE_EQ(rpmFrom(12, u"2"), 360.0);
}

TEST(Measurement, UnusableCalibrationValuesFail)
{
    const struct {
        double (*scale)();
        QString description;
    } cases[] = {
        {[] { return voltsFrom(745, u"0"); }, failure_text::divisionByZero},
        {[] { return voltsFrom(745, u"abc"); }, failure_text::typeMismatch},
        {[] { return ampsFrom(512, u"", u"10"); }, failure_text::typeMismatch},
        {[] { return ampsFrom(512, u"500", u"0"); }, failure_text::divisionByZero},
        {[] { return rpmFrom(12, u"0"); }, failure_text::divisionByZero},
        {[] { return windSpeedFrom(40, u"x"); }, failure_text::typeMismatch},
    };
    for (const auto& c : cases) {
        try {
            c.scale();
            ADD_FAILURE() << "no failure for " << c.description.toStdString();
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.description(), c.description);
        }
    }
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
    EXPECT_EQ(shown(liveRows(values, u"1", u"1", QStringLiteral("knots"))), four + "; 360 RPM; 5 knots");
    EXPECT_EQ(shown(liveRows(values, u"1.0", u"2", QString())), four + "; 360 RPM");
    EXPECT_EQ(shown(liveRows({0.5, 0, 0, 0, 0, 0}, u"1", u"0", QString())),
              ".50 Volts; 0.0 Amps; 0.0 Watts; 0.0 WattHours; 0 RPM");
    EXPECT_THROW(liveRows(values, u"yes", u"0", QString()), Failure);
    EXPECT_THROW(liveRows(values, u"0", u"", QString()), Failure);
}

TEST(LiveDisplay, Caption)
{
    EXPECT_EQ(liveCaption(12.6, 3.2, 40.32), u"Corvane  12.60V 3.2A 40W");
    EXPECT_EQ(liveCaption(0.5, 0, 234.56), u"Corvane  0.50V 0.0A 235W");
}

}  // namespace
}  // namespace corvane
