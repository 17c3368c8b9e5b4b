#include "dialogs/calibration_frame.h"
#include "dialogs/calibration_preview.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace corvane {
using namespace Qt::StringLiterals;
namespace {

TEST(TakeCalibrationFrame, WaitsForBothBracketsInEitherOrderAndTakesTheWholeBuffer)
{
    for (const QString& waiting : {u"[<V>745</V><I>5"_s, u"12</I>]"_s}) {
        QString buffer = waiting;
        EXPECT_FALSE(takeCalibrationFrame(buffer));
        EXPECT_EQ(buffer, waiting);
    }
    for (const QString& complete : {u"</S>]\r\n[<V>745"_s, u"noise[<V>1</V>]tail[<V>2"_s}) {
        QString buffer = complete;
        EXPECT_EQ(takeCalibrationFrame(buffer), complete);
        EXPECT_TRUE(buffer.isEmpty());
    }
}

TEST(CalibrationReadings, TakeFirstPairsKeepNumericTextAndTellEmptyFromZero)
{
    struct Case {
        const char* what;
        QString frame;
        QStringList expected;  // V, I, R, S
    };
    const Case cases[] = {
        {"two frames: first wins", u"[<V>1</V><I>2</I>][<V>3</V><R>5</R>]"_s, {u"1"_s, u"2"_s, u"5"_s, u""_s}},
        {"closing tag missing", u"[<V>745</V><R>12<S>40</S>]"_s, {u"745"_s, u""_s, u""_s, u"40"_s}},
        {"letters become 0", u"[<V>7a5</V><I></I><R>x</R><S> 4.5 </S>]"_s, {u"0"_s, u""_s, u"0"_s, u" 4.5 "_s}},
        {"lower-case tags", u"[<v>745</v><I>512</I>]"_s, {u""_s, u"512"_s, u""_s, u""_s}},
        {"joined mid-frame", u"5</V><I>9</I>]\r\n[<V>745</V><I>512</I>]"_s, {u"745"_s, u"9"_s, u""_s, u""_s}},
        {"stray closing tag only", u"5</V>][<I>512</I>"_s, {u""_s, u"512"_s, u""_s, u""_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CalibrationReadings r = calibrationReadings(c.frame);
        EXPECT_EQ((QStringList{r.volts, r.shunt, r.pulses, r.pulses2}), c.expected);
    }
}

TEST(RoundedText, RoundsHalvesToEvenAndDropsTrailingZeros)
{
    const std::pair<double, const char*> cases[] = {{12.5, "12.5"}, {3.0, "3"}, {0.125, "0.12"},
                                                    {0.375, "0.38"}, {-0.004, "0"}, {-0.125, "-0.12"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(roundedText(value, 2).toStdString(), text);
}

struct PreviewCase {
    const char* what;
    CalibrationInputs inputs;
    QStringList expected;  // volts, amps, RPM and wind-speed texts; "keeps" for no new text
};

TEST(CalibrationPreview, ScalesUnclampedAndKeepsTheTextWhereADividerIsUnusable)
{
    const CalibrationReadings frame{u"745"_s, u"532"_s, u"7"_s, u"13"_s};
    const auto in = [](QString volts, QString amps, QString offset, QString rpm, QString wind) {
        return CalibrationInputs{volts, amps, offset, rpm, wind, u"km/h"_s};
    };
    const PreviewCase cases[] = {
        {"all valid", in(u"59.6"_s, u"4"_s, u"512"_s, u"14"_s, u"2"_s),
         {u"12.5 Volts"_s, u"5 Amps"_s, u"30 RPM"_s, u"6.5 km/h"_s}},
        {"negative amps divider", in(u"59.6"_s, u"-4"_s, u"512"_s, u"1"_s, u"4"_s),
         {u"12.5 Volts"_s, u"-5 Amps"_s, u"420 RPM"_s, u"3.2 km/h"_s}},
        {"zeros", in(u"0"_s, u"0"_s, u"512"_s, u"0"_s, u"0"_s), {u"keeps"_s, u"keeps"_s, u"1 RPM"_s, u"9.9 km/h"_s}},
        {"negatives", in(u"-5"_s, u"4"_s, u"x"_s, u"-14"_s, u"-2"_s),
         {u"keeps"_s, u"keeps"_s, u"1 RPM"_s, u"9.9 km/h"_s}},
        {"letters", in(u"v"_s, u"a"_s, u"512"_s, u"abc"_s, u"w"_s), {u"keeps"_s, u"keeps"_s, u"1 RPM"_s, u"9.9 km/h"_s}},
        {"empty", in(u""_s, u"4"_s, u""_s, u""_s, u""_s), {u"keeps"_s, u"keeps"_s, u"1 RPM"_s, u"9.9 km/h"_s}},
    };
    for (const PreviewCase& c : cases) {
        SCOPED_TRACE(c.what);
        const CalibrationPreview p = calibrationPreview(frame, c.inputs, 9.94);
        EXPECT_EQ((QStringList{p.voltsText.value_or(u"keeps"_s), p.ampsText.value_or(u"keeps"_s), p.rpmText,
                               p.windSpeedText}),
                  c.expected);
    }
}

TEST(CalibrationPreview, EmptyReadingsShowAsEmptyAndCountAsZero)
{
    const CalibrationPreview p =
        calibrationPreview({u""_s, u""_s, u""_s, u""_s}, {u"2"_s, u"4"_s, u"512"_s, u"14"_s, u"2"_s, u"mph"_s}, 3);
    EXPECT_EQ((QStringList{p.rawVolts, p.rawShunt, p.pulses, p.pulses2, *p.voltsText, *p.ampsText, p.rpmText,
                           p.windSpeedText}),
              (QStringList{u"0"_s, u"0"_s, u""_s, u""_s, u"0 Volts"_s, u"-128 Amps"_s, u"0 RPM"_s, u"0 mph"_s}));
}

}  // namespace
}  // namespace corvane
