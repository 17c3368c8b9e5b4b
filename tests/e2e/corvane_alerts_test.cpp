// The real corvane --service raising and clearing alerts on frames from corvane-board's
// script: alerts.txt, the owner's Command and the retained states on a real Mosquitto.
#include "live_programs.h"
#include "mqtt_broker.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace corvane::e2e {
namespace {

const QString kBoard = QStringLiteral(CORVANE_BOARD_EXECUTABLE);
constexpr int kPort = 9;

// 23.0 V and 25.2 V through the first-install calibration.
const QByteArray kLow = "[<V>690</V><I>612</I><R>35</R><M>0</M><S>40</S><C>1377</C>]";
const QByteArray kNormal = "[<V>756</V><I>612</I><R>35</R><M>0</M><S>40</S><C>1443</C>]";

// Records its arguments and CORVANE_VOLTS, one line per run.
const char* const kRecorder = "#!/bin/sh\nprintf '%s|' \"$@\" \"$CORVANE_VOLTS\" >> \"$0.calls\"\necho >> \"$0.calls\"\n";

QString jsonOf(const QString& state, const QString& message, const QString& volts)
{
    return QStringLiteral("^\\{\"message\":\"%1\",\"since\":\"\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d\","
                          "\"state\":\"%2\",\"volts\":%3\\}$")
        .arg(QRegularExpression::escape(message), state, volts);
}

TEST(CorvaneAlerts, LowFramesRaiseAndNormalOnesClearThenASilentBoardRaisesNoData)
{
    Broker broker;
    ASSERT_TRUE(broker.start()) << broker.log().toStdString();
    Subscriber watcher(broker, {QStringLiteral("corvane/alert/#")});
    ASSERT_TRUE(watcher.subscribed());

    ProgramFolder folder;
    folder.writeConfiguration(kPort);
    folder.writeFile(QStringLiteral("mqtt.cfg"),
                     QStringLiteral("MQTT Settings\r\n\r\n<Enabled>1</Enabled>\r\n<Host>127.0.0.1</Host>\r\n"
                                    "<Port>%1</Port>\r\n<ClientId>alerts-test</ClientId>\r\n")
                         .arg(broker.port())
                         .toLatin1());
    const QString recorder = folder.path(QStringLiteral("on alert.sh"));
    folder.writeFile(QStringLiteral("on alert.sh"), kRecorder);
    QFile::setPermissions(recorder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    folder.writeFile(QStringLiteral("alerts.cfg"),
                     QStringLiteral("Alert Settings\r\n\r\n<Enabled>1</Enabled>\r\n<Low>23.6</Low>\r\n"
                                    "<LowClear>24.8</LowClear>\r\n<High>29.6</High>\r\n<HighClear>28.4</HighClear>\r\n"
                                    "<Delay>2</Delay>\r\n<NoData>3</NoData>\r\n<Command>'%1' fixed</Command>\r\n")
                         .arg(recorder)
                         .toUtf8());

    // Four frames a second: 4 s low, 4 s normal, then quiet until the board is stopped.
    QByteArray script = "#pause 1\n";
    for (int n = 0; n < 16; ++n)
        script += kLow + '\n';
    for (int n = 0; n < 16; ++n)
        script += kNormal + '\n';
    script += "#pause 60\n";
    folder.writeFile(QStringLiteral("script.txt"), script);
    Program board;
    board.start(kBoard, {QStringLiteral("--folder"), folder.path(), QStringLiteral("--port"), QString::number(kPort),
                         QStringLiteral("--rate"), QStringLiteral("4"), QStringLiteral("--script"),
                         folder.path(QStringLiteral("script.txt"))});
    ASSERT_TRUE(waitUntil([&] { return QFileInfo(folder.path(QStringLiteral("COM%1").arg(kPort))).isSymLink(); },
                          milliseconds(10000)))
        << board.output().toStdString();
    Program service;
    service.start(folder.corvaneProgram(), {QStringLiteral("--service")});
    ASSERT_TRUE(service.running()) << service.output().toStdString();

    const auto alertLines = [&] { return crlfLines(folder.readFile(QStringLiteral("alerts.txt"))); };
    const QString lowRaised = QStringLiteral("battery at 23.00 V, below 23.60 V for 2 s");
    ASSERT_TRUE(waitUntil([&] { return alertLines().size() >= 2; }, milliseconds(30000)))
        << alertLines().join(u'\n').toStdString() << service.output().toStdString();
    const QStringList lines = alertLines();
    const QString stamp = QStringLiteral("^\\d{4}_\\d\\d_\\d\\d \\d\\d:\\d\\d:\\d\\d  ");
    EXPECT_TRUE(QRegularExpression(stamp + QStringLiteral("raised  battery_low  ") + QRegularExpression::escape(lowRaised) + u'$')
                    .match(lines[0])
                    .hasMatch())
        << lines[0].toStdString();
    EXPECT_TRUE(QRegularExpression(stamp + QStringLiteral("cleared  battery_low  battery at 25.20 V, "))
                    .match(lines[1])
                    .hasMatch())
        << lines[1].toStdString();

    // A newcomer is handed the latest state, retained.
    Subscriber newcomer(broker, {QStringLiteral("corvane/alert/battery_low"),
                                 QStringLiteral("homeassistant/binary_sensor/alerts-test/+/config")});
    ASSERT_TRUE(newcomer.waitForCount(QStringLiteral("corvane/alert/battery_low"), 1, milliseconds(5000)));
    ASSERT_TRUE(waitUntil([&] { return newcomer.messages().size() == 4; }, milliseconds(5000)));
    for (const MqttMessage& message : newcomer.messages())
        EXPECT_TRUE(message.retained) << message.topic.toStdString();
    const QString lowCleared = lines[1].section(QStringLiteral("  "), 3);
    EXPECT_TRUE(QRegularExpression(jsonOf(QStringLiteral("cleared"), lowCleared, QStringLiteral("25.2")))
                    .match(newcomer.payloads(QStringLiteral("corvane/alert/battery_low")).value(0))
                    .hasMatch())
        << newcomer.payloads(QStringLiteral("corvane/alert/battery_low")).value(0).toStdString();
    // Cleared at the connection, raised, cleared: each change as it happened.
    const QStringList lowStates = watcher.payloads(QStringLiteral("corvane/alert/battery_low"));
    ASSERT_EQ(lowStates.size(), 3) << lowStates.join(u'\n').toStdString();
    EXPECT_TRUE(lowStates[0].contains(QStringLiteral("\"state\":\"cleared\""))) << lowStates[0].toStdString();
    EXPECT_TRUE(QRegularExpression(jsonOf(QStringLiteral("raised"), lowRaised, QStringLiteral("23"))).match(lowStates[1]).hasMatch())
        << lowStates[1].toStdString();
    EXPECT_EQ(lowStates[2], newcomer.payloads(QStringLiteral("corvane/alert/battery_low")).value(0));

    // The board stopped: no_data after 3 s without a frame.
    EXPECT_TRUE(board.terminate());
    ASSERT_TRUE(waitUntil([&] { return alertLines().size() >= 3; }, milliseconds(20000)))
        << alertLines().join(u'\n').toStdString() << service.output().toStdString();
    EXPECT_TRUE(QRegularExpression(stamp + QStringLiteral("raised  no_data  no frame for 3 s$")).match(alertLines()[2]).hasMatch())
        << alertLines()[2].toStdString();
    ASSERT_TRUE(watcher.waitForCount(QStringLiteral("corvane/alert/no_data"), 2, milliseconds(5000)));
    EXPECT_TRUE(QRegularExpression(jsonOf(QStringLiteral("raised"), QStringLiteral("no frame for 3 s"), QStringLiteral("null")))
                    .match(watcher.payloads(QStringLiteral("corvane/alert/no_data")).value(1))
                    .hasMatch())
        << watcher.payloads(QStringLiteral("corvane/alert/no_data")).value(1).toStdString();

    // The owner's Command ran for each change, in order, with the same message.
    const auto calls = [&] {
        return QString::fromUtf8(folder.readFile(QStringLiteral("on alert.sh.calls"))).split(u'\n', Qt::SkipEmptyParts);
    };
    waitUntil([&] { return calls().size() >= 3; }, milliseconds(5000));
    EXPECT_EQ(calls(),
              QStringList({QStringLiteral("fixed|battery_low|raised|%1|23.00|").arg(lowRaised),
                           QStringLiteral("fixed|battery_low|cleared|%1|25.20|").arg(lowCleared),
                           QStringLiteral("fixed|no_data|raised|no frame for 3 s||")}))
        << folder.readFile(QStringLiteral("errorlog.txt")).toStdString() << service.output().toStdString();

    EXPECT_TRUE(service.terminate());
    EXPECT_FALSE(crlfLines(folder.readFile(QStringLiteral("errorlog.txt"))).join(u'\n').contains(u"Alert command"))
        << folder.readFile(QStringLiteral("errorlog.txt")).toStdString();
}

}  // namespace
}  // namespace corvane::e2e
