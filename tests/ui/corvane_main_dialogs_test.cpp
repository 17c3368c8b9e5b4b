#include "main_window_fixture.h"

#include "ui/calibrate.h"
#include "ui/program_setup.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

const QString kPortProblem = u"There is a possible Port Number problem. Check available PORTS"_s;
const QString kFrame = u"[<V>745</V><I>532</I><R>7</R><M>1</M><S>13</S><C>1297</C>]"_s;

QByteArray portNotAvailable(const char* error)
{
    return QByteArray("2010_03_07  14:05  port not available  ") + error + " <RB>  <IM> \r\n";
}

template <typename Dialog>
Dialog& as(QDialog& dialog)
{
    auto* typed = qobject_cast<Dialog*>(&dialog);
    if (!typed)
        throw std::runtime_error("another dialog was opened");
    return *typed;
}

class MainWindowDialogs : public MainWindowTest {
protected:
    MainWindowDialogs()
    {
        prog.Port = u"3"_s;
        // A recovery that never ends would hang the test: stop it loudly instead.
        folder.user.onMessage = [this](const QString&) {
            if (folder.user.messages.size() > 200)
                throw std::runtime_error("the port-problem recovery does not end");
        };
    }
    // Queues what the user does in the next modal dialog.
    template <typename Dialog>
    void then(std::function<void(Dialog&)> action)
    {
        folder.user.dialogSteps.push_back([action](QDialog& dialog) { action(as<Dialog>(dialog)); });
    }
    // Messages by their first paragraph: the reason and fix below the port-problem text
    // are checked by the port-problem tests.
    QStringList events() const
    {
        QStringList events;
        for (const QString& event : folder.user.events)
            events << event.section(u"\n\n"_s, 0, 0);
        return events;
    }
};

TEST_F(MainWindowDialogs, SetupTakesANewPortAndBaudRateAtOnce)
{
    start();
    ASSERT_TRUE(port().isOpen());
    then<ProgramSetup>([this](ProgramSetup& setup) {
        EXPECT_FALSE(port().isOpen());
        EXPECT_EQ(window->trapMessage, u"port not available");
        setup.PortNumber->setText(u"4"_s);
        setup.Option10->setChecked(true);
        setup.DisplayRPM->setChecked(true);
        setup.DisplayMessages->setChecked(false);
        setup.Command1_Click();
    });
    window->Setup_Click();

    EXPECT_EQ(port().calls().mid(4), (QStringList{u"close"_s, u"port 4"_s, u"settings 57600,N,8,1"_s,
                                                  u"input length 0"_s, u"open"_s}));
    EXPECT_TRUE(port().isOpen());
    EXPECT_EQ(window->Port, u"4");
    EXPECT_EQ(window->BR, u"57600");
    EXPECT_EQ(liveRows().size(), 5);
    EXPECT_EQ(window->height(), 5025 / 15);
    EXPECT_EQ(events(), QStringList{u"dialog: ProgramSetup"_s});
    EXPECT_TRUE(errorLog().isEmpty());
}

TEST_F(MainWindowDialogs, AbortingSetupLogsTheFailureAsksAgainAndStartsWithoutAPort)
{
    start();
    QString statusDuringMessage;
    folder.user.onMessage = [&](const QString&) { statusDuringMessage = window->Label2->text(); };
    then<ProgramSetup>([](ProgramSetup& setup) { setup.Command2_Click(); });
    then<ProgramSetup>([this](ProgramSetup& setup) {
        EXPECT_EQ(setup.PortNumber->text(), u"0");
        EXPECT_EQ(window->Label2->text(), u"     possible COMMS problem");
    });
    window->Setup_Click();

    EXPECT_EQ(events(), (QStringList{u"dialog: ProgramSetup"_s, u"message: "_s + kPortProblem,
                                     u"dialog: ProgramSetup"_s}));
    EXPECT_EQ(statusDuringMessage, u"     possible COMMS problem");
    EXPECT_EQ(errorLog(), portNotAvailable("Invalid port number"));
    EXPECT_FALSE(port().isOpen());
    EXPECT_EQ(window->Port, u"0");
    EXPECT_EQ(window->windowTitle(), u"Corvane - Waiting for Signal");
    EXPECT_EQ(window->Label2->text(), u" Waiting for COMM data");
}

TEST_F(MainWindowDialogs, APortThatFailsAtStartUpIsCorrectedInSetupAndTheStartUpRunsAgain)
{
    prog.LogOn = u"1"_s;
    writeConfiguration();
    create();
    port().unavailablePorts.insert(3);
    then<ProgramSetup>([](ProgramSetup& setup) {
        setup.PortNumber->setText(u"4"_s);
        setup.Command1_Click();
    });
    window->Form_Load();

    EXPECT_EQ(events(), (QStringList{u"message: "_s + kPortProblem, u"dialog: ProgramSetup"_s}));
    EXPECT_EQ(errorLog(), portNotAvailable("No such file or directory: COM3"));
    EXPECT_TRUE(port().isOpen());
    EXPECT_EQ(port().portNumber(), 4);
    EXPECT_TRUE(window->loggingOn());
    EXPECT_EQ(window->Label2->text(), u" Waiting for COMM data");
}

TEST_F(MainWindowDialogs, AMissingProgCfgIsCreatedThroughTheRecovery)
{
    folder.write(u"settings.cfg"_s, calibration.text());
    create();
    then<ProgramSetup>([](ProgramSetup& setup) {
        EXPECT_FALSE(setup.loadNotice().isEmpty());
        setup.PortNumber->setText(u"0"_s);
        setup.Command1_Click();
    });
    window->Form_Load();

    EXPECT_EQ(errorLog(), portNotAvailable("Type mismatch"));
    EXPECT_TRUE(folder.read(u"prog.cfg"_s).contains("<Port>0</Port>"));
    EXPECT_EQ(window->Port, u"0");
    EXPECT_EQ(liveRows().size(), 4);
}

TEST_F(MainWindowDialogs, RepeatedFailuresLoopWithoutGrowingTheCallStack)
{
    constexpr int kFailures = 60;
    writeConfiguration();
    create();
    port().unavailablePorts.insert(3);
    std::vector<std::uintptr_t> depths;
    for (int i = 0; i < kFailures - 1; ++i) {
        then<ProgramSetup>([&](ProgramSetup& setup) {
            depths.push_back(reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)));
            setup.Command1_Click();  // the same port again
        });
    }
    then<ProgramSetup>([&](ProgramSetup& setup) {
        depths.push_back(reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)));
        setup.Command2_Click();
    });
    window->Form_Load();

    EXPECT_EQ(folder.user.messages.size(), kFailures);
    EXPECT_EQ(errorLog().count("port not available"), kFailures);
    ASSERT_EQ(depths.size(), std::size_t{kFailures});
    // Every prompt ran at the same stack depth: each attempt began after the last had ended.
    EXPECT_EQ(std::count(depths.begin(), depths.end(), depths.front()), kFailures);
    EXPECT_FALSE(port().isOpen());
    EXPECT_EQ(window->Port, u"0");
}

TEST_F(MainWindowDialogs, CalibrationUsesItsOwnPortAndItsValuesScaleTheNextFrame)
{
    start();
    then<Calibrate>([this](Calibrate& calibrate) {
        EXPECT_FALSE(port().isOpen());
        FakeSerialPort& own = *folder.ports.at(1);
        EXPECT_TRUE(own.isOpen());
        EXPECT_EQ(own.portNumber(), 3);
        own.deliver(u"[<V>745</V><I>512</I>]"_s);
        calibrate.Command2_Click();
        own.deliver(kFrame);
        EXPECT_EQ(calibrate.txtBattV->text(), u"745");
        calibrate.BatteryVolts->setText(u"59.6"_s);
        calibrate.BatteryCurrent->setText(u"4"_s);
        calibrate.Command1_Click();
        EXPECT_FALSE(own.isOpen());
    });
    window->CalibrateButton_Click();

    EXPECT_EQ(port().calls().mid(4), (QStringList{u"close"_s, u"open"_s}));
    EXPECT_TRUE(port().isOpen());
    EXPECT_EQ(window->VoltDivider, u"59.6");
    EXPECT_EQ(window->VoltOffset, u"512");
    EXPECT_EQ(window->AmpDivider, u"4");
    port().deliver(kFrame);
    EXPECT_DOUBLE_EQ(window->volts, 12.5);
    EXPECT_DOUBLE_EQ(window->amps, 5);
    EXPECT_TRUE(errorLog().isEmpty());
}

TEST_F(MainWindowDialogs, APortLostDuringCalibrationLeadsToTheRecovery)
{
    start();
    then<Calibrate>([this](Calibrate& calibrate) {
        port().unavailablePorts.insert(3);  // the adapter was unplugged meanwhile
        calibrate.Command6_Click();
    });
    then<ProgramSetup>([](ProgramSetup& setup) { setup.Command2_Click(); });
    window->CalibrateButton_Click();

    EXPECT_EQ(events(), (QStringList{u"dialog: Calibrate"_s, u"message: "_s + kPortProblem,
                                     u"dialog: ProgramSetup"_s}));
    EXPECT_EQ(errorLog(), portNotAvailable("No such file or directory: COM3"));
    EXPECT_EQ(folder.read(u"settings.cfg"_s), calibration.text());
    EXPECT_FALSE(port().isOpen());
    EXPECT_EQ(window->Port, u"0");
}

}  // namespace
}  // namespace corvane::test
