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
        calibration = {u"59.6"_s, u"512"_s, u"4"_s, u"14"_s, u"2"_s};
    }
    void open()
    {
        folder.write(u"prog.cfg"_s, prog.text());
        folder.write(u"settings.cfg"_s, calibration.text());
        closings.clear();
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

TEST_F(CalibrateTest, LoadOpensItsOwnPortAndFillsTheControls)
{
    prog.BR = u"57600"_s;
    calibration.AmpDivider = u"012.50"_s;
    open();
    EXPECT_EQ(port().calls(), (QStringList{u"port 3"_s, u"settings 57600,N,8,1"_s, u"input length 0"_s, u"open"_s}));
    EXPECT_EQ(dialog->Label23->text(), u"How many pulses per km/h?");
    EXPECT_EQ((QStringList{dialog->BatteryVolts->text(), dialog->OffsetV->text(), dialog->BatteryCurrent->text(),
                           dialog->PulseDivider->text(), dialog->Pulse2Divider->text()}),
              (QStringList{u"59.6"_s, u"512"_s, u"12.5"_s, u"14"_s, u"2"_s}));
    EXPECT_TRUE(dialog->loadNotice().isEmpty());
}

// The amps divisor shows in general form, plain digits, and Save writes it that way.
TEST_F(CalibrateTest, TheAmpsDivisorShowsAndSavesInPlainDigits)
{
    const std::pair<QString, QString> cases[] = {
        {u"100000"_s, u"100000"_s}, {u"1e6"_s, u"1000000"_s}, {u"0.0010"_s, u"0.001"_s}, {u"-250000.0"_s, u"-250000"_s}};
    for (const auto& [stored, shown] : cases) {
        SCOPED_TRACE(stored.toStdString());
        calibration.AmpDivider = stored;
        open();
        EXPECT_EQ(dialog->BatteryCurrent->text(), shown);
        dialog->Command1_Click();
        EXPECT_TRUE(saved().contains((u"<AmpDivider>"_s + shown + u"</AmpDivider>"_s).toLatin1())) << saved().toStdString();
    }
}

TEST_F(CalibrateTest, AFrameInPiecesIsShownOnceBothBracketsHaveArrived)
{
    open();
    const QStringList before = shown();
    port().deliver(kFrame.left(20));
    port().deliver(kFrame.mid(20, 20));
    EXPECT_EQ(shown(), before);
    port().deliver(kFrame.mid(40) + u"\r\n"_s);
    EXPECT_EQ(shown(), (QStringList{u"745"_s, u"12.5 Volts"_s, u"532"_s, u"5 Amps"_s, u"7"_s, u"30 RPM"_s, u"13"_s,
                                    u"6.5 km/h"_s}));
    EXPECT_TRUE(dialog->receiveBuffer().isEmpty());
    EXPECT_TRUE(port().waiting().isEmpty());
}

TEST_F(CalibrateTest, FramesAreTakenWholeWithoutChecksOrErrorLog)
{
    const std::pair<QString, QStringList> cases[] = {
        {u"[<V>745</V><I>532</I><R>7</R>][<V>1</V><R>3</R><S>4</S>]"_s,
         {u"745"_s, u"12.5 Volts"_s, u"532"_s, u"5 Amps"_s, u"7"_s, u"30 RPM"_s, u"4"_s, u"2 km/h"_s}},
        {u"[<V>745</V><I>532</I><S>13</S>]"_s,
         {u"745"_s, u"12.5 Volts"_s, u"532"_s, u"5 Amps"_s, u""_s, u"0 RPM"_s, u"13"_s, u"6.5 km/h"_s}},
        {u"[<V>7x5</V><I>532</I><C>1</C>]"_s,
         {u"0"_s, u"0 Volts"_s, u"532"_s, u"5 Amps"_s, u""_s, u"0 RPM"_s, u""_s, u"0 km/h"_s}},
    };
    for (const auto& [chunk, expected] : cases) {
        SCOPED_TRACE(chunk.toStdString());
        open();
        port().deliver(chunk);
        EXPECT_EQ(shown(), expected);
    }
    EXPECT_FALSE(folder.exists(u"errorlog.txt"_s));
}

TEST_F(CalibrateTest, UnusableDividersKeepThePreviewsAndTheLastWindSpeed)
{
    open();
    dialog->BatteryVolts->setText(u"0"_s);
    dialog->BatteryCurrent->setText(u"0"_s);
    dialog->Pulse2Divider->setText(u"abc"_s);
    port().deliver(kFrame);
    EXPECT_EQ(shown().mid(0, 4), (QStringList{u"745"_s, u""_s, u"532"_s, u""_s}));
    EXPECT_EQ(dialog->txtWindSpeed->text(), u"0 km/h");

    dialog->Pulse2Divider->setText(u"4"_s);
    dialog->BatteryCurrent->setText(u"-4"_s);
    port().deliver(kFrame);
    EXPECT_EQ(dialog->txtWindSpeed->text(), u"3.2 km/h");  // 3.25, the half to even
    EXPECT_EQ(dialog->txtBattAadjusted->text(), u"-5 Amps");

    dialog->Pulse2Divider->setText(u"-2"_s);
    dialog->BatteryCurrent->setText(u""_s);
    port().deliver(u"[<I>600</I><S>99</S>]"_s);
    EXPECT_EQ(dialog->txtWindSpeed->text(), u"3.2 km/h");
    EXPECT_EQ(dialog->txtBattAadjusted->text(), u"-5 Amps");
}

TEST_F(CalibrateTest, ZeroTakesTheShuntReadingAsShown)
{
    open();
    dialog->Command2_Click();
    EXPECT_EQ(dialog->OffsetV->text(), u"0");  // before the first frame

    port().deliver(u"[<V>745</V><I>532.125</I>]"_s);
    dialog->Command2_Click();
    EXPECT_EQ(dialog->OffsetV->text(), u"532.12");
    port().deliver(u"[<V>745</V><I>552.12</I>]"_s);
    EXPECT_EQ(dialog->txtBattAadjusted->text(), u"5 Amps");
}

TEST_F(CalibrateTest, SaveWritesTheTextsAsTypedAndExitWritesNothing)
{
    open();
    port().deliver(u"[<V>745</V><I>498.5</I>]"_s);
    dialog->Command2_Click();
    dialog->BatteryVolts->setText(u"abc"_s);
    dialog->Command6_Click();
    EXPECT_EQ(saved(), calibration.text());
    EXPECT_FALSE(port().isOpen());
    EXPECT_EQ(closings, QList<int>{QDialog::Rejected});

    open();
    port().deliver(u"[<V>745</V><I>498.5</I>]"_s);
    dialog->Command2_Click();
    dialog->BatteryVolts->setText(u"abc"_s);
    dialog->PulseDivider->setText(u""_s);
    dialog->Command1_Click();
    EXPECT_EQ(saved(), QByteArray("Calibration Settings\r\n\r\n\r\n<VoltDivider>abc</VoltDivider>\r\n"
                                  "<VoltOffset>498.5</VoltOffset>\r\n<AmpDivider>4</AmpDivider>\r\n"
                                  "<RPMDivider></RPMDivider>\r\n<WSDivider>2</WSDivider>\r\n"));
    EXPECT_FALSE(port().isOpen());
    EXPECT_EQ(closings, QList<int>{QDialog::Accepted});
}

TEST_F(CalibrateTest, WithoutAUsablePortTheValuesCanStillBeEditedAndSaved)
{
    const std::pair<QString, QString> cases[] = {
        {u"0"_s, u"No live readings: port 0 in prog.cfg means no port. The values can still be edited and saved."_s},
        {u"3"_s, u"No live readings: port 3 could not be opened (No such file or directory: COM3). The values can "
                 u"still be edited and saved."_s},
    };
    folder.unavailablePorts = {3};
    for (const auto& [portText, notice] : cases) {
        prog.Port = portText;
        open();
        EXPECT_FALSE(port().isOpen());
        EXPECT_EQ(dialog->loadNotice(), notice);
        dialog->PulseDivider->setText(u"12"_s);
        dialog->Command1_Click();
        EXPECT_TRUE(saved().contains("<RPMDivider>12</RPMDivider>"));
        EXPECT_EQ(closings, QList<int>{QDialog::Accepted});
    }
}

TEST_F(CalibrateTest, AFailedSaveLeavesTheOldFileAndKeepsReading)
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
