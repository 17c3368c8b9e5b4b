// Damaged settings.cfg at start-up: cut short at every byte, with dividers that are not
// numbers or zero, megabyte values and damaged tags. The port opens and logging runs; the
// calibration values read before the damage apply, and a frame that needs a missing or
// unusable one is refused with the failure named on screen and in the error log.
#include "fault_config_fixture.h"

#include "ui/calibrate.h"

#include <functional>

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

TEST_F(ConfigFaultStartUp, SettingsCfgCutShortAtEveryByte)
{
    const QByteArray full = calibration.text();
    const QString values[] = {calibration.VoltDivider, calibration.VoltOffset, calibration.AmpDivider,
                              calibration.RPMDivider, calibration.WSDivider};
    skipTheDiskFlushes();
    for (qsizetype size = 0; size <= full.size() && !HasFailure(); ++size) {
        SCOPED_TRACE(size);
        const QString cut = QString::fromLatin1(full.left(size));
        startWith(prog.text(), full.left(size));
        EXPECT_TRUE(folder.user.events.isEmpty());
        EXPECT_TRUE(window->loggingOn());
        const QString applied[] = {window->VoltDivider, window->VoltOffset, window->AmpDivider, window->RPMDivider,
                                   window->WSDivider};
        bool all = true;
        for (int i = 0; i < kCalibrationKeys.size(); ++i) {
            all = all && complete(cut, kCalibrationKeys[i]);
            EXPECT_EQ(applied[i], all ? values[i] : QString()) << kCalibrationKeys[i].toStdString();
        }
        // A frame is scaled only with the whole calibration; otherwise it is refused.
        windowPort().deliver(kBoardFrame);
        if (all) {
            EXPECT_EQ(liveRows().at(0), u"372.50|Volts");
            EXPECT_EQ(errorCaption(), u" Error trap message  -     ");
        } else {
            EXPECT_EQ(errorCaption(), u"  Last Error trapped  14:05  ---  calculations error  Type mismatch");
        }
    }
}

TEST_F(ConfigFaultStartUp, SettingsCfgWithUnusableDividersOrDamagedTags)
{
    const QString megabyteOfBlanks(1 << 20, u' ');
    const struct {
        const char* name;
        std::function<QByteArray(CalibrationConfig)> file;
        const char* error;  // nothing: the frame is taken
        const char* voltsRow;
    } cases[] = {
        {"VoltDivider not a number", [](CalibrationConfig c) { c.VoltDivider = u"abc"_s; return c.text(); },
         "Type mismatch", nullptr},
        {"VoltOffset empty", [](CalibrationConfig c) { c.VoltOffset.clear(); return c.text(); }, "Type mismatch",
         nullptr},
        {"AmpDivider zero", [](CalibrationConfig c) { c.AmpDivider = u"0"_s; return c.text(); }, "Division by zero",
         nullptr},
        {"RPMDivider in words", [](CalibrationConfig c) { c.RPMDivider = u"fourteen"_s; return c.text(); },
         "Type mismatch", nullptr},
        {"WSDivider zero", [](CalibrationConfig c) { c.WSDivider = u"0.0"_s; return c.text(); }, "Division by zero",
         nullptr},
        {"a megabyte of digits", [](CalibrationConfig c) { c.VoltDivider = u'1' + QString(1 << 20, u'0'); return c.text(); },
         "Type mismatch", nullptr},
        {"a megabyte of blanks around a number",
         [&](CalibrationConfig c) { c.VoltDivider = megabyteOfBlanks + u'2' + megabyteOfBlanks; return c.text(); },
         nullptr, "372.50|Volts"},
        {"a duplicated key takes its first value",
         [](CalibrationConfig c) {
             return replaced(c.text(), "<VoltDivider>", "<VoltDivider>4</VoltDivider>\r\n<VoltDivider>");
         },
         nullptr, "186.25|Volts"},
        {"reversed RPMDivider tags",
         [](CalibrationConfig c) { return replaced(c.text(), "<RPMDivider>14</RPMDivider>", "</RPMDivider>14<RPMDivider>"); },
         "Type mismatch", nullptr},
        {"a lower-case WSDivider",
         [](CalibrationConfig c) { return replaced(c.text(), "<WSDivider>2</WSDivider>", "<wsdivider>2</wsdivider>"); },
         "Type mismatch", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startWith(prog.text(), c.file(calibration));
        EXPECT_TRUE(folder.user.events.isEmpty());
        ASSERT_TRUE(windowPort().isOpen());
        windowPort().deliver(kBoardFrame);
        if (c.error) {
            EXPECT_EQ(errorLog(), u"2010_03_07  14:05  calculations error  "_s + QLatin1String(c.error)
                                      + u" <RB>  <IM> "_s + kBoardFrame + u"\r\n"_s);
            EXPECT_EQ(window->Label2->text(), u"possible corrupt COMMS data");
            EXPECT_EQ(liveRows().at(0), u"0.0|Volts");
        } else {
            EXPECT_TRUE(errorLog().isEmpty());
            EXPECT_EQ(liveRows().at(0), QLatin1String(c.voltsRow));
        }
    }
}

// What the user can do about a cut settings.cfg: the calibration dialog names the lost
// values, and once they are typed in and saved the frames are scaled again.
TEST_F(ConfigFaultStartUp, ASettingsCfgCutShortIsMendedInTheCalibrationDialog)
{
    const QByteArray full = calibration.text();
    startWith(prog.text(), full.left(full.indexOf("</AmpDivider>") + 5));
    FakeSerialPort& mainPort = windowPort();
    ASSERT_TRUE(mainPort.isOpen());
    EXPECT_EQ(window->VoltOffset, u"512");
    EXPECT_EQ(window->AmpDivider, QString());
    window->StopLogging_Click();  // the dialogs open only while logging is off

    QString notice;
    folder.user.dialogSteps.clear();
    folder.user.dialogSteps.push_back([&](QDialog& dialog) {
        auto& calibrate = dynamic_cast<Calibrate&>(dialog);
        notice = calibrate.loadNotice();
        calibrate.BatteryCurrent->setText(u"10"_s);
        calibrate.PulseDivider->setText(u"14"_s);
        calibrate.Pulse2Divider->setText(u"2"_s);
        calibrate.Command1_Click();
    });
    window->CalibrateButton_Click();

    EXPECT_EQ(notice, kCalibrateNoticeStart + u"\nAmpDivider is missing or misplaced in settings.cfg\n"
                      u"RPMDivider is missing or misplaced in settings.cfg\n"
                      u"WSDivider is missing or misplaced in settings.cfg"_s);
    EXPECT_EQ(folder.read(u"settings.cfg"_s), full);
    EXPECT_TRUE(mainPort.isOpen());
    mainPort.deliver(kBoardFrame);
    EXPECT_EQ(liveRows().mid(0, 2), (QStringList{u"372.50|Volts"_s, u"2.0|Amps"_s}));
    EXPECT_TRUE(errorLog().isEmpty());
}

}  // namespace
}  // namespace corvane::test
