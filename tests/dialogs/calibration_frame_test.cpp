#include "dialogs/calibration_frame.h"
#include "dialogs/calibration_preview.h"

#include <gtest/gtest.h>

namespace corvane {
using namespace Qt::StringLiterals;
namespace {

TEST(TakeCalibrationFrame, WaitsForBothBracketsInEitherOrderAndTakesTheWholeBuffer)
{
    struct Case {
        QString buffer;
        bool taken;
    };
    const Case cases[] = {
        {u""_s, false},
        {u"[<V>745</V><I>5"_s, false},
        {u"12</I>]"_s, false},
        {u"[<V>745</V>]"_s, true},
        {u"</S>]\r\n[<V>745"_s, true},
        {u"noise[<V>1</V>]tail[<V>2"_s, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buffer.toStdString());
        QString buffer = c.buffer;
        const std::optional<QString> frame = takeCalibrationFrame(buffer);
        EXPECT_EQ(frame.has_value(), c.taken);
        EXPECT_EQ(buffer, c.taken ? QString() : c.buffer);
        if (frame) {
            EXPECT_EQ(*frame, c.buffer);
        }
    }
}

struct ReadingCase {
    const char* what;
    QString frame;
    RawReadings expected;
};

TEST(CalibrationReadings, TakeFirstPairsKeepNumericTextAndTellEmptyFromZero)
{
    const ReadingCase cases[] = {
        {"full frame", u"[<V>745</V><I>512</I><R>12</R><M>3</M><S>40</S><C>1309</C>]"_s,
         {u"745"_s, u"512"_s, u"12"_s, u"40"_s}},
        {"missing R pair", u"[<V>745</V><I>512</I><S>40</S>]"_s, {u"745"_s, u"512"_s, u""_s, u"40"_s}},
        {"R closing tag missing", u"[<V>745</V><I>512</I><R>12<S>40</S>]"_s, {u"745"_s, u"512"_s, u""_s, u"40"_s}},
        {"letters become 0", u"[<V>7a5</V><I></I><R>x</R><S> 4.5 </S>]"_s, {u"0"_s, u""_s, u"0"_s, u" 4.5 "_s}},
        {"two frames: first wins", u"[<V>1</V><I>2</I>][<V>3</V><I>4</I><R>5</R>]"_s,
         {u"1"_s, u"2"_s, u"5"_s, u""_s}},
        {"lower-case tags", u"[<v>745</v><I>512</I>]"_s, {u""_s, u"512"_s, u""_s, u""_s}},
        {"tail of a joined frame", u"5</V><I>9</I>]\r\n[<V>745</V><I>512</I>]"_s,
         {u"745"_s, u"9"_s, u""_s, u""_s}},
        {"stray closing tag only", u"5</V>][<I>512</I>"_s, {u""_s, u"512"_s, u""_s, u""_s}},
    };
    for (const ReadingCase& c : cases) {
        SCOPED_TRACE(c.what);
        const RawReadings r = calibrationReadings(c.frame);
        EXPECT_EQ(r.volts, c.expected.volts);
        EXPECT_EQ(r.shunt, c.expected.shunt);
        EXPECT_EQ(r.pulses, c.expected.pulses);
        EXPECT_EQ(r.pulses2, c.expected.pulses2);
    }
}

TEST(RoundedText, RoundsHalvesToEvenAndDropsTrailingZeros)
{
    EXPECT_EQ(roundedText(12.5, 2), u"12.5");
    EXPECT_EQ(roundedText(3.0, 2), u"3");
    EXPECT_EQ(roundedText(0.125, 2), u"0.12");
    EXPECT_EQ(roundedText(0.375, 2), u"0.38");
    EXPECT_EQ(roundedText(2.5, 0), u"2");
    EXPECT_EQ(roundedText(-0.004, 2), u"0");
    EXPECT_EQ(roundedText(-1.26, 1), u"-1.3");
}

const RawReadings kFrame{u"745"_s, u"532"_s, u"7"_s, u"13"_s};

CalibrationInputs inputs()
{
    return {u"59.6"_s, u"4"_s, u"512"_s, u"14"_s, u"2"_s, u"km/h"_s};
}

TEST(CalibrationPreview, ScalesLikeTheLiveDisplayWithoutClamping)
{
    const CalibrationPreview p = calibrationPreview(kFrame, inputs(), 0);
    EXPECT_EQ(p.rawVolts, u"745");
    EXPECT_EQ(p.rawShunt, u"532");
    EXPECT_EQ(p.pulses, u"7");
    EXPECT_EQ(p.pulses2, u"13");
    EXPECT_EQ(p.voltsText, u"12.5 Volts");
    EXPECT_EQ(p.ampsText, u"5 Amps");
    EXPECT_EQ(p.rpmText, u"30 RPM");
    EXPECT_EQ(p.windSpeedText, u"6.5 km/h");

    CalibrationInputs reversed = inputs();
    reversed.ampDivider = u"-4"_s;
    EXPECT_EQ(calibrationPreview(kFrame, reversed, 0).ampsText, u"-5 Amps");
    const RawReadings fast{u"745"_s, u"500"_s, u"140"_s, u"13"_s};
    EXPECT_EQ(calibrationPreview(fast, inputs(), 0).rpmText, u"600 RPM");
    EXPECT_EQ(calibrationPreview(fast, inputs(), 0).ampsText, u"-3 Amps");
}

TEST(CalibrationPreview, RpmIsOneUnlessTheDividerIsAPositiveNumber)
{
    for (const QString& divider : {u"0"_s, u"-14"_s, u"abc"_s, u""_s}) {
        SCOPED_TRACE(divider.toStdString());
        CalibrationInputs in = inputs();
        in.rpmDivider = divider;
        EXPECT_EQ(calibrationPreview(kFrame, in, 0).rpmText, u"1 RPM");
    }
    const RawReadings noPulses{u"745"_s, u"532"_s, u""_s, u"13"_s};
    const CalibrationPreview p = calibrationPreview(noPulses, inputs(), 0);
    EXPECT_EQ(p.pulses, u"");
    EXPECT_EQ(p.rpmText, u"0 RPM");
}

TEST(CalibrationPreview, WindSpeedKeepsTheLastValueUnlessTheDividerIsAPositiveNumber)
{
    for (const QString& divider : {u"0"_s, u"-2"_s, u"abc"_s, u""_s}) {
        SCOPED_TRACE(divider.toStdString());
        CalibrationInputs in = inputs();
        in.wsDivider = divider;
        const CalibrationPreview p = calibrationPreview(kFrame, in, 3.25);
        EXPECT_EQ(p.windSpeed, 3.25);
        EXPECT_EQ(p.windSpeedText, u"3.2 km/h");
        EXPECT_EQ(calibrationPreview(kFrame, in, 0).windSpeedText, u"0 km/h");
    }
}

TEST(CalibrationPreview, VoltsAndAmpsKeepTheirTextForUnusableDividersOrOffset)
{
    struct Case {
        const char* what;
        QString voltDivider;
        QString ampDivider;
        QString offset;
        bool volts;
        bool amps;
    };
    const Case cases[] = {
        {"volts divider 0", u"0"_s, u"4"_s, u"512"_s, false, true},
        {"volts divider negative", u"-59.6"_s, u"4"_s, u"512"_s, false, true},
        {"volts divider letters", u"v"_s, u"4"_s, u"512"_s, false, true},
        {"amps divider 0", u"59.6"_s, u"0"_s, u"512"_s, true, false},
        {"amps divider empty", u"59.6"_s, u""_s, u"512"_s, true, false},
        {"offset letters", u"59.6"_s, u"4"_s, u"z"_s, true, false},
        {"offset empty", u"59.6"_s, u"4"_s, u""_s, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CalibrationPreview p =
            calibrationPreview(kFrame, {c.voltDivider, c.ampDivider, c.offset, u"14"_s, u"2"_s, u"km/h"_s}, 0);
        EXPECT_EQ(p.voltsText.has_value(), c.volts);
        EXPECT_EQ(p.ampsText.has_value(), c.amps);
    }
}

TEST(CalibrationPreview, EmptyReadingsCountAsZero)
{
    const CalibrationPreview p = calibrationPreview({u""_s, u""_s, u""_s, u""_s}, inputs(), 9);
    EXPECT_EQ(p.rawVolts, u"0");
    EXPECT_EQ(p.rawShunt, u"0");
    EXPECT_EQ(p.voltsText, u"0 Volts");
    EXPECT_EQ(p.ampsText, u"-128 Amps");
    EXPECT_EQ(p.windSpeedText, u"0 km/h");
}

}  // namespace
}  // namespace corvane
