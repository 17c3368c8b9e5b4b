// The port-problem message with its reason and fix, the unattended start-up that retries
// the port instead of asking, and a stop requested while the start-up asks the user.
#include "main_window_fixture.h"

#include "ui/program_setup.h"

#include <QDirIterator>
#include <QMap>
#include <stdexcept>

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

const QString kPortProblem = u"There is a possible Port Number problem. Check available PORTS"_s;

class Unattended : public MainWindowTest {
protected:
    Unattended()
    {
        prog.Port = u"3"_s;
        prog.LogOn = u"1"_s;
        prog.LogDelay = u"10"_s;
    }
    // Makes the window; `reason` is how its port fails to open, if at all.
    void createFailing(std::optional<PortProblemKind> reason)
    {
        writeConfiguration();
        create();
        if (reason)
            port().failingPorts[3] = *reason;
    }
    QStringList errorLines() const { return QString::fromLatin1(errorLog()).split(u"\r\n"_s, Qt::SkipEmptyParts); }
};

struct ReasonCase {
    const char* name;
    QString port;
    QString baudRate;
    std::optional<PortProblemKind> failure;
    QString advice;
};

class PortProblemTexts : public Unattended, public testing::WithParamInterface<ReasonCase> {};

// The window's prompt: the known text, then what went wrong and what to do. The user's
// stop ends the recovery, which would otherwise ask again.
TEST_P(PortProblemTexts, TheWindowsPromptNamesTheReasonAndTheFix)
{
    const ReasonCase& c = GetParam();
    prog.Port = c.port;
    prog.BR = c.baudRate;
    createFailing(c.failure);
    folder.user.onMessage = [this](const QString&) { window->RequestStop(); };

    window->Form_Load();

    ASSERT_EQ(folder.user.messages.size(), 1);
    EXPECT_EQ(folder.user.messages[0], kPortProblem + u"\n\n"_s + c.advice);
    EXPECT_TRUE(errorLines().value(0).contains(u"  port not available  "_s)) << errorLines().value(0).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    EachReason, PortProblemTexts,
    testing::Values(
        ReasonCase{"NoPermission", u"3"_s, u"9600"_s, PortProblemKind::NoPermission,
                   u"No permission to use COM3.\nTo fix it, add yourself to the group dialout "
                   "(sudo adduser $USER dialout) and log in again."_s},
        ReasonCase{"Busy", u"3"_s, u"9600"_s, PortProblemKind::Busy,
                   u"COM3 is in use by another program.\nTo fix it, close the other program "
                   "(another Corvane, a terminal program, a modem manager)."_s},
        ReasonCase{"Missing", u"3"_s, u"9600"_s, PortProblemKind::Missing,
                   u"COM3 not found: is the adapter plugged in?\nTo fix it, plug in the adapter, "
                   "or choose the port it is on in Program Setup."_s},
        ReasonCase{"NotANumber", u"COM3"_s, u"9600"_s, std::nullopt,
                   u"\"COM3\" is not a usable port number.\nTo fix it, choose a port from 1 to 255 "
                   "in Program Setup, or 0 for no port."_s},
        ReasonCase{"NoNumber", u""_s, u"9600"_s, std::nullopt,
                   u"No port number is configured.\nTo fix it, check that prog.cfg is in the program folder, "
                   "or choose a port in Program Setup."_s},
        ReasonCase{"NegativeNumber", u"-2"_s, u"9600"_s, std::nullopt,
                   u"\"-2\" is not a usable port number.\nTo fix it, choose a port from 1 to 255 "
                   "in Program Setup, or 0 for no port."_s},
        ReasonCase{"BaudRate", u"3"_s, u"fast"_s, std::nullopt,
                   u"\"fast\" is not a usable baud rate.\nTo fix it, choose the board's baud rate in "
                   "Program Setup."_s}),
    [](const testing::TestParamInfo<ReasonCase>& info) { return std::string(info.param.name); });

TEST_F(Unattended, AStopDuringThePortPromptEndsTheStartUpWithoutTheSetupDialogOrMoreEntries)
{
    createFailing(PortProblemKind::Missing);
    folder.user.onMessage = [this](const QString&) {
        if (folder.user.messages.size() > 1)
            throw std::runtime_error("asked again after the stop");
        window->RequestStop();
    };

    window->Form_Load();

    EXPECT_EQ(folder.user.events.size(), 1) << folder.user.events.join(u" | "_s).toStdString();
    EXPECT_EQ(errorLines().size(), 1) << errorLines().join(u'\n').toStdString();
    EXPECT_FALSE(window->loggingOn());
    EXPECT_FALSE(window->Timer3.isActive());
}

TEST_F(Unattended, AStopWhileTheSetupDialogIsOpenLeavesThePortClosed)
{
    prog.LogOn = u"0"_s;
    writeConfiguration();
    create();
    window->Form_Load();
    ASSERT_TRUE(port().isOpen());
    folder.user.dialogSteps.push_back([this](QDialog&) { window->RequestStop(); });

    window->Setup_Click();

    EXPECT_FALSE(port().isOpen());
    EXPECT_EQ(port().calls().filter(u"open"_s).size(), 1);  // not opened again after the dialog
    EXPECT_TRUE(errorLog().isEmpty());
}

TEST_F(Unattended, APortThatWillNotOpenIsLoggedOnceAndTriedAgainWhileLoggingRuns)
{
    createFailing(PortProblemKind::Missing);

    window->StartUnattended();

    EXPECT_TRUE(folder.user.events.filter(u"dialog"_s).isEmpty());
    ASSERT_EQ(folder.user.messages.size(), 1);
    EXPECT_TRUE(folder.user.messages[0].startsWith(kPortProblem + u"\n\nCOM3 not found"_s));
    EXPECT_TRUE(window->loggingOn());
    EXPECT_EQ(window->Timer1.interval(), 10000);
    EXPECT_TRUE(window->retryingPort());
    EXPECT_EQ(window->portRetry.interval(), 2000);
    EXPECT_EQ(errorLines(), QStringList{u"2010_03_07  14:05  port not available  No such file or directory: COM3 <RB>  <IM> "_s});

    window->retryPort();
    window->retryPort();
    EXPECT_EQ(errorLines().size(), 1) << "the same failure again is not news";
    EXPECT_EQ(folder.user.messages.size(), 1);

    port().failingPorts[3] = PortProblemKind::Busy;
    folder.clock.advanceSeconds(60);
    window->retryPort();
    window->retryPort();
    ASSERT_EQ(errorLines().size(), 2);
    EXPECT_EQ(errorLines()[1], u"2010_03_07  14:06  port not available  Device or resource busy: COM3 <RB>  <IM> "_s);
    ASSERT_EQ(folder.user.messages.size(), 2);
    EXPECT_TRUE(folder.user.messages[1].contains(u"COM3 is in use by another program."_s));

    port().failingPorts.clear();
    window->retryPort();
    EXPECT_TRUE(port().isOpen());
    EXPECT_FALSE(window->retryingPort());
    EXPECT_EQ(folder.user.messages.value(2), u"COM3 opened: receiving data"_s);
    port().deliver(u"[<V>745</V><I>532</I><R>7</R><M>1</M><S>13</S><C>1297</C>]"_s);
    EXPECT_EQ(window->sampleCount, 1);
}

TEST_F(Unattended, AnIntervalWithoutTheDeviceIsRecordedAsTheWindowRecordsIt)
{
    createFailing(PortProblemKind::Missing);
    window->StartUnattended();
    folder.clock.advanceSeconds(10);

    window->Timer1_Timer();

    EXPECT_EQ(folder.read(u"logs/P_2010_03_07.txt"_s),
              "<T>14:05</T><V>.00</V><I>.00</I><W>.00</W><R></R><S>.0</S><M>0</M>   .0Wh\r\n");
    EXPECT_EQ(errorLines().value(1),
              u"2010_03_07  14:05   No valid data recieved during logging interval   <RB>  <IM> "_s);
}

TEST_F(Unattended, NoPortOrAnOpenPortNeedsNoRetryAndNoMessage)
{
    for (const QString& portText : {u"0"_s, u"3"_s}) {
        prog.Port = portText;
        createFailing(std::nullopt);
        window->StartUnattended();
        EXPECT_FALSE(window->retryingPort()) << portText.toStdString();
        EXPECT_TRUE(folder.user.messages.isEmpty()) << portText.toStdString();
        EXPECT_EQ(window->loggingOn(), portText == u"3") << portText.toStdString();
    }
}

}  // namespace
}  // namespace corvane::test

namespace corvane::test {
namespace {

// Every file under the program folder but the configuration, by relative path.
QMap<QString, QByteArray> writtenFiles(const TestFolder& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = QDir(folder.path()).relativeFilePath(it.next());
        if (!name.endsWith(u".cfg"_s))
            files.insert(name, folder.read(name));
    }
    return files;
}

// The service's window does no display work, yet writes what the window writes.
TEST(DisplayUpdatesOff, TheFilesAreTheWindowsAndTheControlsStayAsBuilt)
{
    ProgConfig prog;
    prog.Port = u"3"_s;
    prog.LogOn = u"1"_s;
    prog.LogDelay = u"10"_s;
    prog.DisplayRPM = u"1"_s;
    CalibrationConfig calibration;
    TestFolder shown;
    TestFolder service;
    for (const TestFolder* folder : {&shown, &service}) {
        folder->write(u"prog.cfg"_s, prog.text());
        folder->write(u"settings.cfg"_s, calibration.text());
    }
    CorvaneMain window(shown.platform());
    CorvaneMain logger(service.platform(), nullptr, CorvaneMain::DisplayUpdates::Off);
    const QString frames[] = {u"[<V>745</V><I>512</I><R>12</R><M>3</M><S>40</S><C>1309</C>]"_s,
                              u"[<V>745</V><I>512</I><C>9</C>]"_s, u"[<V>745</V>][<V>7"_s, u"46</V>]"_s};
    for (const auto& [main, folder] : {std::pair{&window, &shown}, std::pair{&logger, &service}}) {
        main->StartUnattended();
        for (const QString& frame : frames)
            folder->ports.at(0)->deliver(frame);
        main->Timer1_Timer();
        main->Timer3_Timer();
        main->LogOutsideEvent(u" broker gone"_s, u"refused"_s);
    }

    EXPECT_EQ(writtenFiles(service), writtenFiles(shown));
    EXPECT_TRUE(writtenFiles(shown).value(u"errorlog.txt"_s).contains("checksum error"));
    EXPECT_EQ(logger.sampleCount, window.sampleCount);
    EXPECT_FALSE(window.Label2->text().isEmpty());
    EXPECT_EQ(window.ListView1->topLevelItemCount(), 5);
    EXPECT_TRUE(logger.Label2->text().isEmpty());
    EXPECT_TRUE(logger.ErrorString->text().isEmpty());
    EXPECT_TRUE(logger.windowTitle().isEmpty());
    EXPECT_EQ(logger.ListView1->topLevelItemCount(), 0);
}

}  // namespace
}  // namespace corvane::test
