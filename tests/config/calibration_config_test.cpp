#include "config/calibration_config.h"

#include <gtest/gtest.h>

namespace corvane {
using namespace Qt::StringLiterals;
namespace {

TEST(CalibrationConfigText, LaysOutTitleTwoEmptyLinesAndFiveKeysAsTyped)
{
    EXPECT_EQ(calibrationConfigText({u"30.5"_s, u"512.25"_s, u" abc"_s, u""_s, u"-2"_s}).toLatin1(),
              QByteArray("Calibration Settings\r\n\r\n\r\n<VoltDivider>30.5</VoltDivider>\r\n"
                         "<VoltOffset>512.25</VoltOffset>\r\n<AmpDivider> abc</AmpDivider>\r\n"
                         "<RPMDivider></RPMDivider>\r\n<WSDivider>-2</WSDivider>\r\n"));
}

TEST(ReadCalibrationLoad, ShowsTheAmpDividerInGeneralFormAndReportsWhatItCannotUse)
{
    const CalibrationLoad good = readCalibrationLoad(u"<Port>3</Port><BR>9600</BR><WSUnits>mph</WSUnits>"_s,
                                                     calibrationConfigText({u"30"_s, u"512"_s, u"012.50"_s}));
    EXPECT_EQ(good.values.ampDivider, u"12.5");
    EXPECT_EQ(good.baudRate, 9600);
    EXPECT_TRUE(good.problems.isEmpty());

    const CalibrationLoad bad = readCalibrationLoad(u"<Port>3</Port><BR>fast</BR>"_s,
                                                    calibrationConfigText({u"30"_s, u"x"_s, u"abc"_s}));
    EXPECT_FALSE(bad.baudRate.has_value());
    EXPECT_EQ(bad.values.ampDivider, u"abc");
    EXPECT_EQ(bad.problems,
              (QStringList{u"BR in prog.cfg is \"fast\", not a baud rate: the port is not opened"_s,
                           u"WSUnits is missing or misplaced in prog.cfg"_s,
                           u"AmpDivider in settings.cfg is \"abc\", not a number: shown as stored"_s,
                           u"VoltOffset in settings.cfg is \"x\", not a number: press Zero with no current flowing"_s}));
}

}  // namespace
}  // namespace corvane
