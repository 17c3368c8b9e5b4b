#include "main_window_fixture.h"

#include "text/failure.h"

namespace corvane::test {
namespace {

using LoadConfiguration = MainWindowTest;

struct RowsCase {
    const char* rpm;
    const char* windSpeed;
    int fontSize;
    QStringList rows;
};

TEST_F(LoadConfiguration, LaysOutTheLiveListForTheDisplayOptions)
{
    const QStringList always = {"0.0|Volts", "0.0|Amps", "0.0|Watts", "0.0|WattHours"};
    const RowsCase cases[] = {
        {"0", "0", 24, always},
        {"1", "0", 20, always + QStringList{"0.0|RPM"}},
        {"0", "1", 20, always + QStringList{"0.0|m/s"}},
        {"1", "1", 18, always + QStringList{"0.0|RPM", "0.0|m/s"}},
        {"1.0", "2", 20, always + QStringList{"0.0|RPM"}},
    };
    prog.WSUnits = QStringLiteral("m/s");
    for (const RowsCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rpm << "/" << c.windSpeed);
        prog.DisplayRPM = QString::fromLatin1(c.rpm);
        prog.DisplayWS = QString::fromLatin1(c.windSpeed);
        start();
        EXPECT_EQ(liveRows(), c.rows);
        EXPECT_EQ(window->ListView1->font().pointSize(), c.fontSize);
        EXPECT_EQ(window->ListView1->font().family(), u"Arial");
        EXPECT_EQ(window->ListView1->columnCount(), 3);
        EXPECT_TRUE(window->ListView1->isHeaderHidden());
    }
}

TEST_F(LoadConfiguration, TakesEveryValueAsText)
{
    prog.Port = QStringLiteral("0");
    prog.BR = QStringLiteral(" 9600 ");
    prog.WSUnits = QStringLiteral(" knots ");
    prog.LogDelay = QStringLiteral("45");
    calibration = {QStringLiteral("28.5"), QStringLiteral("512"), QStringLiteral("10.24"), QStringLiteral("14"),
                   QStringLiteral(" 2 ")};
    start();
    EXPECT_EQ(window->BR, u" 9600 ");
    EXPECT_EQ(window->WSUnits, u" knots ");
    EXPECT_EQ(window->delay->text(), u"45");
    EXPECT_FALSE(window->delay->isEnabled());
    EXPECT_EQ(window->VoltDivider, u"28.5");
    EXPECT_EQ(window->VoltOffset, u"512");
    EXPECT_EQ(window->AmpDivider, u"10.24");
    EXPECT_EQ(window->RPMDivider, u"14");
    EXPECT_EQ(window->WSDivider, u" 2 ");
}

TEST_F(LoadConfiguration, SetsTheWindowHeightFromTheMessagesOption)
{
    prog.dispMessages = QStringLiteral("0");
    start();
    const int shortHeight = window->height();
    EXPECT_FALSE(window->messageArea->isVisibleTo(window.get()));

    prog.dispMessages = QStringLiteral("1");
    start();
    EXPECT_GT(window->height(), shortHeight);
    EXPECT_TRUE(window->messageArea->isVisibleTo(window.get()));
    // 5900 and 5025 twips, in proportion.
    EXPECT_NEAR(static_cast<double>(window->height()) / shortHeight, 5900.0 / 5025.0, 0.01);
}

TEST_F(LoadConfiguration, AnEmptyDisplayOptionStopsAfterTheListWasCleared)
{
    prog.DisplayRPM = QString();
    prog.dispMessages = QStringLiteral("0");
    writeConfiguration();
    create();
    const int heightBefore = window->height();
    EXPECT_THROW(window->LoadConfiguration(), Failure);
    EXPECT_EQ(window->ListView1->topLevelItemCount(), 0);
    EXPECT_EQ(window->height(), heightBefore);
    EXPECT_TRUE(window->VoltDivider.isEmpty());  // settings.cfg was not read
    EXPECT_EQ(window->WSUnits, u"km/h");         // what came before stays applied
}

struct BrokenFileCase {
    const char* name;
    QByteArray prog;
    bool portApplied;
};

TEST_F(LoadConfiguration, FailsAtTheBrokenStepAndKeepsWhatCameBefore)
{
    const QByteArray good = ProgConfig().text();
    QByteArray reversedLogDelay = good;
    reversedLogDelay.replace("<LogDelay>60</LogDelay>", "</LogDelay>60<LogDelay>");
    QByteArray lowerCasePort = good;
    lowerCasePort.replace("<Port>0</Port>", "<port>0</port>");
    QByteArray badMessages = good;
    badMessages.replace("<dispMessages>1</dispMessages>", "<dispMessages>yes</dispMessages>");

    const BrokenFileCase cases[] = {
        {"reversed LogDelay", reversedLogDelay, true},
        {"lower-case Port", lowerCasePort, false},
        {"dispMessages not a number", badMessages, true},
    };
    for (const BrokenFileCase& c : cases) {
        SCOPED_TRACE(c.name);
        folder.write(QStringLiteral("prog.cfg"), c.prog);
        folder.write(QStringLiteral("settings.cfg"), calibration.text());
        create();
        EXPECT_THROW(window->LoadConfiguration(), Failure);
        EXPECT_EQ(window->Port == u"0", c.portApplied);
        EXPECT_TRUE(window->VoltDivider.isEmpty());
    }
}

TEST_F(LoadConfiguration, MissingFilesFail)
{
    create();
    EXPECT_THROW(window->LoadConfiguration(), Failure);
    EXPECT_TRUE(window->Port.isEmpty());

    folder.write(QStringLiteral("prog.cfg"), prog.text());
    EXPECT_THROW(window->LoadConfiguration(), Failure);  // settings.cfg is missing
    EXPECT_EQ(window->Port, u"0");
    EXPECT_EQ(window->ListView1->topLevelItemCount(), 4);
}

TEST_F(LoadConfiguration, AFileWithoutSystemVoltageOrCurrentLoads)
{
    QByteArray text = prog.text();
    text.replace("<SV>24</SV>\r\n", "");
    text.replace("<MA>20</MA>\r\n", "");
    folder.write(QStringLiteral("prog.cfg"), text);
    folder.write(QStringLiteral("settings.cfg"), calibration.text());
    create();
    EXPECT_NO_THROW(window->LoadConfiguration());
}

}  // namespace
}  // namespace corvane::test
