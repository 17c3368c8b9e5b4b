#include "dialogs/calibration_config.h"

#include <gtest/gtest.h>

namespace corvane {
using namespace Qt::StringLiterals;
namespace {

const QString kProg = u"<Port>3</Port><BR>9600</BR><WSUnits>km/h</WSUnits>"_s;

QString settingsText(const QString& voltOffset, const QString& ampDivider)
{
    return calibrationConfigText({u"30"_s, voltOffset, ampDivider, u"14"_s, u"2"_s});
}

TEST(CalibrationConfigText, LaysOutTitleTwoEmptyLinesAndFiveKeysAsTyped)
{
    const CalibrationValues values{u"30.5"_s, u"512.25"_s, u" abc"_s, u""_s, u"-2"_s};
    EXPECT_EQ(calibrationConfigText(values).toLatin1(),
              QByteArray("Calibration Settings\r\n\r\n\r\n"
                         "<VoltDivider>30.5</VoltDivider>\r\n"
                         "<VoltOffset>512.25</VoltOffset>\r\n"
                         "<AmpDivider> abc</AmpDivider>\r\n"
                         "<RPMDivider></RPMDivider>\r\n"
                         "<WSDivider>-2</WSDivider>\r\n"));
}

TEST(ReadCalibrationLoad, TakesPortBaudRateUnitAndTheFiveValues)
{
    const CalibrationLoad load = readCalibrationLoad(kProg, settingsText(u"512"_s, u"012.50"_s));
    EXPECT_EQ(load.port, u"3");
    EXPECT_EQ(load.baudRate, 9600);
    EXPECT_EQ(load.windSpeedUnits, u"km/h");
    EXPECT_EQ(load.values.voltDivider, u"30");
    EXPECT_EQ(load.values.voltOffset, u"512");
    EXPECT_EQ(load.values.ampDivider, u"12.5");  // the divider in general form
    EXPECT_EQ(load.values.rpmDivider, u"14");
    EXPECT_EQ(load.values.wsDivider, u"2");
    EXPECT_TRUE(load.problems.isEmpty());
}

TEST(ReadCalibrationLoad, ReportsValuesTheDialogCannotUse)
{
    const CalibrationLoad load =
        readCalibrationLoad(u"<Port>3</Port><BR>fast</BR><WSUnits>mph</WSUnits>"_s, settingsText(u""_s, u"abc"_s));
    EXPECT_FALSE(load.baudRate.has_value());
    EXPECT_EQ(load.values.ampDivider, u"abc");
    EXPECT_EQ(load.values.voltOffset, u"");
    EXPECT_EQ(load.problems,
              (QStringList{u"BR in prog.cfg is \"fast\", not a baud rate: the port is not opened"_s,
                           u"AmpDivider in settings.cfg is \"abc\", not a number: shown as stored"_s,
                           u"VoltOffset in settings.cfg is \"\", not a number: press Zero with no current flowing"_s}));
}

TEST(ReadCalibrationLoad, MissingKeysKeepTheInitialTextsAndMissingFilesAddNothing)
{
    const CalibrationLoad load = readCalibrationLoad(std::nullopt, u"<RPMDivider>14</RPMDivider>"_s);
    EXPECT_EQ(load.port, u"");
    EXPECT_FALSE(load.baudRate.has_value());
    EXPECT_EQ(calibrationConfigText(load.values), calibrationConfigText({u"0"_s, u"0"_s, u"0"_s, u"14"_s, u"1"_s}));
    EXPECT_EQ(load.problems,
              (QStringList{u"VoltDivider is missing or misplaced in settings.cfg"_s,
                           u"VoltOffset is missing or misplaced in settings.cfg"_s,
                           u"AmpDivider is missing or misplaced in settings.cfg"_s,
                           u"WSDivider is missing or misplaced in settings.cfg"_s}));
}

}  // namespace
}  // namespace corvane
