#include "main_window_fixture.h"

#include <QDir>
#include <QFileInfo>

namespace corvane::test {
namespace {

using StartUp = MainWindowTest;

TEST_F(StartUp, WithPortZeroOpensNoPortAndKeepsTheWaitingTexts)
{
    start();
    EXPECT_FALSE(port().isOpen());
    EXPECT_TRUE(port().calls().isEmpty());
    EXPECT_EQ(window->windowTitle(), u"Corvane - Waiting for Signal");
    EXPECT_EQ(window->Label11->toolTip(), QStringLiteral("Program folder: ") + folder.path());
    EXPECT_EQ(window->Label2->text(), u" Waiting for COMM data");
    EXPECT_EQ(window->ErrorString->text(), u" Error trap message  -     ");
    EXPECT_EQ(window->ErrorString->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_FALSE(window->loggingOn());
    EXPECT_FALSE(window->StopLogging->isEnabled());
    EXPECT_TRUE(errorLog().isEmpty());
}

TEST_F(StartUp, OpensTheConfiguredPortInOrder)
{
    prog.Port = QStringLiteral("3");
    prog.BR = QStringLiteral("57600");
    start();
    EXPECT_TRUE(port().isOpen());
    EXPECT_EQ(port().calls(), QStringList({"port 3", "settings 57600,N,8,1", "input length 0", "open"}));
    EXPECT_TRUE(window->trapMessage.isEmpty());
    EXPECT_TRUE(errorLog().isEmpty());
}

TEST_F(StartUp, CreatesTheDataFoldersAndFindsThemLater)
{
    start();
    for (const char* name : {"logs", "excel", "html"})
        EXPECT_TRUE(QFileInfo(folder.path(QString::fromLatin1(name))).isDir()) << name;
    folder.write(QStringLiteral("logs/keep.txt"), "kept");
    start();
    EXPECT_EQ(folder.read(QStringLiteral("logs/keep.txt")), "kept");
    EXPECT_TRUE(errorLog().isEmpty());
}

struct PortFailureCase {
    const char* name;
    const char* port;
    const char* baud;
    bool portMissing;
    const char* errorText;
};

// A port that cannot be opened leaves one exact error-log line and shows it as the last error.
TEST_F(StartUp, APortThatCannotBeOpenedIsLogged)
{
    const PortFailureCase cases[] = {
        {"missing device", "3", "9600", true, "No such file or directory: COM3"},
        {"not a number", "COM1", "9600", false, "Type mismatch"},
        {"empty", "", "9600", false, "Type mismatch"},
        {"out of range", "40000", "9600", false, "Overflow"},
        {"bad baud rate", "3", "fast", false, "Invalid port settings: fast,N,8,1"},
    };
    for (const PortFailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(folder.path(QStringLiteral("errorlog.txt")));
        folder.ports.clear();
        prog.Port = QString::fromLatin1(c.port);
        prog.BR = QString::fromLatin1(c.baud);
        writeConfiguration();
        create();
        if (c.portMissing)
            port().unavailablePorts.insert(3);
        // Should the user be led through the setup dialog, they give a working configuration.
        // The failure shows in red before the user is led through the setup dialog, where
        // they give a working configuration; the start-up that follows resets the caption.
        QColor colourWhenTold;
        folder.user.onMessage = [&](const QString&) {
            colourWhenTold = window->ErrorString->palette().color(QPalette::WindowText);
        };
        folder.user.dialogSteps.assign(1, [this](QDialog&) {
            prog.Port = QStringLiteral("0");
            writeConfiguration();
        });
        window->Form_Load();

        const QByteArray expected = QByteArray("2010_03_07  14:05  port not available  ") + c.errorText
                                    + " <RB>  <IM> \r\n";
        EXPECT_EQ(errorLog(), expected);
        EXPECT_FALSE(port().isOpen());
        EXPECT_FALSE(window->loggingOn());
        EXPECT_EQ(colourWhenTold, QColor(255, 0, 0));
        EXPECT_EQ(window->ErrorString->text(), u" Error trap message  -     ");
    }
}

struct AutoStartCase {
    const char* logDelay;
    bool starts;
    const char* boxText;
    int periodMs;
};

TEST_F(StartUp, StartsLoggingAutomaticallyWithTheIntervalClamped)
{
    const AutoStartCase cases[] = {
        {"60", true, "60", 60000},   {"5", true, "10", 10000},     {"900", true, "600", 600000},
        {"12.5", true, "12.5", 12500}, {"abc", false, "abc", 0},   {"", false, "", 0},
    };
    for (const AutoStartCase& c : cases) {
        SCOPED_TRACE(c.logDelay);
        folder.ports.clear();
        prog.Port = QStringLiteral("2");
        prog.LogOn = QStringLiteral("1");
        prog.LogDelay = QString::fromLatin1(c.logDelay);
        start();
        EXPECT_EQ(window->loggingOn(), c.starts);
        EXPECT_EQ(window->delay->text().toStdString(), c.boxText);
        if (c.starts) {
            EXPECT_EQ(window->Timer1.interval(), c.periodMs);
            EXPECT_FALSE(window->StartLogging->isEnabled());
            EXPECT_FALSE(window->Setup->isEnabled());
            EXPECT_FALSE(window->CalibrateButton->isEnabled());
            EXPECT_TRUE(window->StopLogging->isEnabled());
        }
        EXPECT_TRUE(errorLog().isEmpty());
    }
}

TEST_F(StartUp, DoesNotStartLoggingWithoutAPortOrWithLogOnOff)
{
    prog.LogOn = QStringLiteral("1");
    start();
    EXPECT_FALSE(window->loggingOn());

    prog.Port = QStringLiteral("2");
    prog.LogOn = QStringLiteral("0");
    start();
    EXPECT_FALSE(window->loggingOn());
    EXPECT_TRUE(window->StartLogging->isEnabled());
}

TEST_F(StartUp, AnUnwritableErrorLogStillShowsTheError)
{
    QDir(folder.path()).mkdir(QStringLiteral("errorlog.txt"));  // a folder cannot be appended to
    create();
    window->trapMessage = QStringLiteral("checksum error");
    window->lastFrame = QStringLiteral("[x]");
    window->LogTrappedError();
    EXPECT_EQ(window->ErrorString->text(), u"  Last Error trapped  14:05  ---  checksum error  ");
    EXPECT_FALSE(window->ErrorString->toolTip().isEmpty());
    EXPECT_TRUE(window->lastFrame.isEmpty());
    EXPECT_TRUE(window->Label2->text().isEmpty());
}

TEST_F(StartUp, ErrorLogEntriesAreAppendedWithTheFrameText)
{
    create();
    window->trapMessage = QStringLiteral("checksum error");
    window->lastFrame = QStringLiteral("[<V>1</V>]");
    window->LogTrappedError();
    window->trapMessage.clear();
    window->pendingErrorText = QStringLiteral("Division by zero");
    window->LogTrappedError();
    EXPECT_EQ(errorLog(), QByteArray("2010_03_07  14:05  checksum error   <RB>  <IM> [<V>1</V>]\r\n"
                                     "2010_03_07  14:05    Division by zero <RB>  <IM> \r\n"));
    EXPECT_EQ(window->ErrorString->text(), u"  Last Error trapped  14:05  ---    Division by zero");
}

}  // namespace
}  // namespace corvane::test
