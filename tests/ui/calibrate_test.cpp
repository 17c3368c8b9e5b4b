#include "support/config_text.h"
#include "support/test_folder.h"
#include "text/failure.h"
#include "ui/calibrate.h"

#include <gtest/gtest.h>

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

const QString kFrame = u"[<V>745</V><I>532</I><R>7</R><M>1</M><S>13</S><C>1297</C>]"_s;

class CalibrateTest : public ::testing::Test {
protected:
    CalibrateTest()
    {
        prog.Port = u"3"_s;
        calibration = {u"59.6"_s, u"512"_s, u"012.50"_s, u"14"_s, u"2"_s};
    }
    void open()
    {
        folder.write(u"prog.cfg"_s, prog.text());
        folder.write(u"settings.cfg"_s, calibration.text());
        openOnFolder();
    }
    void openOnFolder()
    {
        dialog = std::make_unique<Calibrate>(folder.platform(), nullptr);
        QObject::connect(dialog.get(), &QDialog::finished, [this](int result) { closings << result; });
        dialog->Form_Load();
    }
    FakeSerialPort& port() const { return *folder.ports.back(); }
    QByteArray saved() const { return folder.read(u"settings.cfg"_s); }
    // The raw readings and previews, in the order of the dialog's steps.
    QStringList shown() const
    {
        return {dialog->txtBattV->text(),   dialog->txtBattVadjusted->text(), dialog->txtShuntV->text(),
                dialog->txtBattAadjusted->text(), dialog->txtPulsess->text(), dialog->txtWindmillRPM->text(),
                dialog->txtPulsess2->text(), dialog->txtWindSpeed->text()};
    }

    TestFolder folder;
    ProgConfig prog;
    CalibrationConfig calibration;
    std::unique_ptr<Calibrate> dialog;
    QList<int> closings;
};

TEST_F(CalibrateTest, StartsWithItsCaptionsStepsAndInitialTexts)
{
    const Calibrate fresh(folder.platform(), nullptr);
    EXPECT_EQ(fresh.windowTitle(), u"Calibration");
    EXPECT_EQ(fresh.objectName(), u"Calibrate");
    EXPECT_EQ(fresh.Command1->text(), u"Save Calibration");
    EXPECT_EQ(fresh.Command2->text(), u"Zero");
    EXPECT_EQ(fresh.Command6->text(), u"Exit ( dont save )");
    QStringList labels;
    for (const QLabel* label : fresh.findChildren<QLabel*>())
        labels << label->text();
    for (const QString& text :
         {u"Step 1. Set Voltage"_s, u"Step 2. Set Current"_s, u"Step 3. Set RPM"_s, u"Step 4. Set Wind Speed"_s,
          u"Offset"_s, u"Measure your battery voltage, and then adjust\nthis value until the correct battery "
                       u"voltage\nis displayed"_s,
          u"With no current flowing, press the Zero button..\nApply a charging current, and adjust this\nvalue "
          u"until the correct amps is displayed."_s,
          u"How many pulses per revolution?\nie, for a 14-pole alternator, type in 14."_s})
        EXPECT_TRUE(labels.contains(text)) << text.toStdString();
    EXPECT_EQ(fresh.BatteryVolts->text(), u"0");
    EXPECT_EQ(fresh.BatteryCurrent->text(), u"0");
    EXPECT_EQ(fresh.PulseDivider->text(), u"1");
    EXPECT_EQ(fresh.Pulse2Divider->text(), u"1");
    EXPECT_EQ(fresh.OffsetV->text(), u"0");
}

TEST_F(CalibrateTest, LoadOpensItsOwnPortAndFillsTheControls)
{
    prog.BR = u"57600"_s;
    prog.WSUnits = u"km/h"_s;
    open();
    EXPECT_EQ(port().calls(), (QStringList{u"port 3"_s, u"settings 57600,N,8,1"_s, u"input length 0"_s, u"open"_s}));
    EXPECT_TRUE(port().isOpen());
    EXPECT_EQ(dialog->Label23->text(), u"How many pulses per km/h?");
    EXPECT_EQ(dialog->BatteryVolts->text(), u"59.6");
    EXPECT_EQ(dialog->BatteryCurrent->text(), u"12.5");
    EXPECT_EQ(dialog->OffsetV->text(), u"512");
    EXPECT_EQ(dialog->PulseDivider->text(), u"14");
    EXPECT_EQ(dialog->Pulse2Divider->text(), u"2");
    EXPECT_TRUE(dialog->loadNotice().isEmpty());
}

TEST_F(CalibrateTest, AFrameInPiecesIsShownOnceBothBracketsHaveArrived)
{
    calibration.AmpDivider = u"4"_s;
    open();
    const QStringList before = shown();
    port().deliver(kFrame.left(20));
    port().deliver(kFrame.mid(20, 20));
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(dialog->receiveBuffer(), kFrame.left(40));
    port().deliver(kFrame.mid(40) + u"\r\n"_s);
    EXPECT_EQ(shown(), (QStringList{u"745"_s, u"12.5 Volts"_s, u"532"_s, u"5 Amps"_s, u"7"_s, u"30 RPM"_s, u"13"_s,
                                    u"6.5 km/h"_s}));
    EXPECT_TRUE(dialog->receiveBuffer().isEmpty());
    EXPECT_TRUE(port().waiting().isEmpty());
}

TEST_F(CalibrateTest, FramesAreTakenWholeWithoutChecks)
{
    struct Case {
        const char* what;
        QString chunk;
        QStringList rawShown;  // txtBattV, txtShuntV, txtPulsess, txtWindmillRPM, txtPulsess2
    };
    const Case cases[] = {
        {"two frames: first values win", u"[<V>745</V><I>532</I><R>7</R>][<V>1</V><I>2</I><R>3</R><S>4</S>]"_s,
         {u"745"_s, u"532"_s, u"7"_s, u"30 RPM"_s, u"4"_s}},
        {"missing R pair", u"[<V>745</V><I>532</I><S>13</S>]"_s, {u"745"_s, u"532"_s, u""_s, u"0 RPM"_s, u"13"_s}},
        {"letters in V, bad checksum", u"[<V>7x5</V><I>532</I><R>7</R><C>1</C>]"_s,
         {u"0"_s, u"532"_s, u"7"_s, u"30 RPM"_s, u""_s}},
        {"over-long, brackets reversed", u"]"_s + QString(80, u' ') + u"<V>1.005</V><I>.5</I>["_s,
         {u"1"_s, u"0.5"_s, u""_s, u"0 RPM"_s, u""_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open();
        port().deliver(c.chunk);
        EXPECT_EQ((QStringList{dialog->txtBattV->text(), dialog->txtShuntV->text(), dialog->txtPulsess->text(),
                               dialog->txtWindmillRPM->text(), dialog->txtPulsess2->text()}),
                  c.rawShown);
        EXPECT_TRUE(dialog->receiveBuffer().isEmpty());
    }
    EXPECT_FALSE(folder.exists(u"errorlog.txt"_s));
}

TEST_F(CalibrateTest, JoiningInTheMiddleOfAFrameReadsTheNextCompletePair)
{
    open();
    port().deliver(u"45</V><I>9</I><R>7</R>]\r\n"_s);  // the tail waits: it has no "["
    EXPECT_EQ(dialog->txtBattV->text(), u"0");
    port().deliver(u"[<V>745</V><I>532</I><R>7</R>]"_s);
    EXPECT_EQ(dialog->txtBattV->text(), u"745");
    EXPECT_EQ(dialog->txtShuntV->text(), u"9");  // the first complete pair wins
}

TEST_F(CalibrateTest, AnInvalidRpmDividerShowsOneRpmOnEveryFrame)
{
    for (const QString& divider : {u"0"_s, u"-14"_s, u"abc"_s, u""_s}) {
        SCOPED_TRACE(divider.toStdString());
        open();
        dialog->PulseDivider->setText(divider);
        port().deliver(kFrame);
        EXPECT_EQ(dialog->txtWindmillRPM->text(), u"1 RPM");
        port().deliver(u"[<R>70</R>]"_s);
        EXPECT_EQ(dialog->txtWindmillRPM->text(), u"1 RPM");
    }
}

TEST_F(CalibrateTest, AnInvalidWindDividerKeepsTheLastWindSpeed)
{
    open();
    dialog->Pulse2Divider->setText(u"abc"_s);
    port().deliver(kFrame);
    EXPECT_EQ(dialog->txtWindSpeed->text(), u"0 km/h");
    dialog->Pulse2Divider->setText(u"4"_s);
    port().deliver(kFrame);
    EXPECT_EQ(dialog->txtWindSpeed->text(), u"3.2 km/h");  // 3.25, the half to even
    for (const QString& divider : {u"0"_s, u"-2"_s, u""_s}) {
        dialog->Pulse2Divider->setText(divider);
        port().deliver(u"[<S>99</S>]"_s);
        EXPECT_EQ(dialog->txtWindSpeed->text(), u"3.2 km/h");
    }
}

TEST_F(CalibrateTest, VoltsAndAmpsPreviewsKeepTheirTextForUnusableDividers)
{
    calibration.AmpDivider = u"4"_s;
    open();
    dialog->BatteryVolts->setText(u"0"_s);
    dialog->BatteryCurrent->setText(u"0"_s);
    port().deliver(kFrame);
    EXPECT_EQ(dialog->txtBattVadjusted->text(), u"");
    EXPECT_EQ(dialog->txtBattAadjusted->text(), u"");

    dialog->BatteryVolts->setText(u"59.6"_s);
    dialog->BatteryCurrent->setText(u"-4"_s);
    port().deliver(kFrame);
    EXPECT_EQ(dialog->txtBattVadjusted->text(), u"12.5 Volts");
    EXPECT_EQ(dialog->txtBattAadjusted->text(), u"-5 Amps");

    dialog->BatteryVolts->setText(u"-59.6"_s);
    dialog->BatteryCurrent->setText(u"0"_s);
    port().deliver(u"[<V>1</V><I>1</I>]"_s);
    EXPECT_EQ(dialog->txtBattV->text(), u"1");
    EXPECT_EQ(dialog->txtBattVadjusted->text(), u"12.5 Volts");
    EXPECT_EQ(dialog->txtBattAadjusted->text(), u"-5 Amps");
}

TEST_F(CalibrateTest, ZeroTakesTheShuntReadingAsShown)
{
    calibration.AmpDivider = u"4"_s;
    open();
    dialog->Command2_Click();
    EXPECT_EQ(dialog->offset(), u"0");
    EXPECT_EQ(dialog->OffsetV->text(), u"0");

    port().deliver(u"[<V>745</V><I>532.125</I>]"_s);
    dialog->Command2_Click();
    EXPECT_EQ(dialog->OffsetV->text(), u"532.12");
    port().deliver(u"[<V>745</V><I>552.12</I>]"_s);
    EXPECT_EQ(dialog->txtBattAadjusted->text(), u"5 Amps");
}

TEST_F(CalibrateTest, SaveWritesTheTextsAsTypedClosesThePortAndTheDialog)
{
    open();
    port().deliver(u"[<V>745</V><I>498.5</I>]"_s);
    dialog->Command2_Click();
    dialog->BatteryVolts->setText(u"abc"_s);
    dialog->BatteryCurrent->setText(u" 4"_s);
    dialog->PulseDivider->setText(u""_s);
    dialog->Command1_Click();
    EXPECT_EQ(saved(), QByteArray("Calibration Settings\r\n\r\n\r\n<VoltDivider>abc</VoltDivider>\r\n"
                                  "<VoltOffset>498.5</VoltOffset>\r\n<AmpDivider> 4</AmpDivider>\r\n"
                                  "<RPMDivider></RPMDivider>\r\n<WSDivider>2</WSDivider>\r\n"));
    EXPECT_FALSE(port().isOpen());
    EXPECT_EQ(closings, QList<int>{QDialog::Accepted});
}

TEST_F(CalibrateTest, ExitAfterZeroLeavesTheFileUnchangedAndClosesThePort)
{
    open();
    port().deliver(kFrame);
    dialog->Command2_Click();
    dialog->BatteryVolts->setText(u"1"_s);
    dialog->Command6_Click();
    EXPECT_EQ(saved(), calibration.text());
    EXPECT_FALSE(port().isOpen());
    EXPECT_EQ(closings, QList<int>{QDialog::Rejected});
}

TEST_F(CalibrateTest, WithoutAUsablePortTheValuesCanStillBeEditedAndSaved)
{
    struct Case {
        const char* what;
        QString port;
        QString baud;
        bool unavailable;
        QString notice;
    };
    const Case cases[] = {
        {"port 0", u"0"_s, u"9600"_s, false,
         u"No live readings: port 0 in prog.cfg means no port. The values can still be edited and saved."_s},
        {"missing device", u"3"_s, u"9600"_s, true,
         u"No live readings: port 3 could not be opened (No such file or directory: COM3). The values can still "
         u"be edited and saved."_s},
        {"port text", u"COM1"_s, u"9600"_s, false,
         u"No live readings: prog.cfg gives no usable port. The values can still be edited and saved."_s},
        {"baud rate text", u"3"_s, u"fast"_s, false,
         u"Not everything could be read:\nBR in prog.cfg is \"fast\", not a baud rate: the port is not opened\n"
         u"No live readings: prog.cfg gives no usable port. The values can still be edited and saved."_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        closings.clear();
        prog.Port = c.port;
        prog.BR = c.baud;
        folder.unavailablePorts = c.unavailable ? QSet<int>{3} : QSet<int>{};
        open();
        EXPECT_FALSE(port().isOpen());
        EXPECT_EQ(dialog->loadNotice(), c.notice);
        EXPECT_EQ(dialog->BatteryVolts->text(), u"59.6");
        dialog->PulseDivider->setText(u"12"_s);
        dialog->Command1_Click();
        EXPECT_TRUE(saved().contains("<RPMDivider>12</RPMDivider>"));
        EXPECT_EQ(closings, QList<int>{QDialog::Accepted});
    }
}

TEST_F(CalibrateTest, MissingFilesOpenWithTheInitialValuesAndSayWhy)
{
    openOnFolder();
    EXPECT_EQ(dialog->loadNotice(),
              u"Not everything could be read:\nprog.cfg could not be read (File not found: "_s
                  + folder.path(u"prog.cfg"_s) + u")\nsettings.cfg could not be read (File not found: "_s
                  + folder.path(u"settings.cfg"_s)
                  + u")\nNo live readings: prog.cfg gives no usable port. The values can still be edited and saved."_s);
    dialog->Command1_Click();
    EXPECT_EQ(saved(), CalibrationConfig({u"0"_s, u"0"_s, u"0"_s, u"1"_s, u"1"_s}).text());
}

TEST_F(CalibrateTest, ASaveInterruptedBeforeTheReplaceLeavesTheOldFileAndKeepsReading)
{
    open();
    dialog->setConfigWriter([](const QString&, const QString&) { throw Failure(u"No space left on device"_s); });
    dialog->BatteryVolts->setText(u"30"_s);
    dialog->Command1_Click();
    EXPECT_EQ(saved(), calibration.text());
    EXPECT_TRUE(closings.isEmpty());
    EXPECT_TRUE(port().isOpen());
    EXPECT_EQ(folder.user.messages,
              QStringList{u"settings.cfg could not be saved (No space left on device). The old file is unchanged."_s});
}

}  // namespace
}  // namespace corvane::test
