// The real corvane publishing to a real Mosquitto broker started by each test on
// 127.0.0.1, read back with mosquitto_sub.
#include "live_programs.h"
#include "mqtt_broker.h"
#include "publish/mqtt_connection.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <csignal>

namespace corvane::e2e {
namespace {

const QString kBoard = QStringLiteral(CORVANE_BOARD_EXECUTABLE);

// 25.2 V, 10 A, 150 rpm, 20 km/h and 25.4 V, 12 A, 210 rpm, 25 km/h through the
// first-install calibration.
const QByteArray kA = "[<V>756</V><I>612</I><R>35</R><M>0</M><S>40</S><C>1443</C>]";
const QByteArray kB = "[<V>762</V><I>632</I><R>49</R><M>0</M><S>50</S><C>1493</C>]";
const QByteArray kWrongChecksum = "[<V>756</V><I>612</I><R>35</R><M>0</M><S>40</S><C>1444</C>]";

QString liveShape(const char* values)
{
    return QStringLiteral("^\\{\"time\": \"\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d\", ")
           + QString::fromLatin1(values) + u'$';
}

// What T/record must carry for one day-file line: its digits as written, "" as 0, a
// leading zero before a bare ".", the date from the file name.
QString recordAsJson(const QString& date, const QString& line)
{
    static const QRegularExpression shape(QStringLiteral(
        "^<T>(\\d\\d:\\d\\d)</T><V>(.*)</V><I>(.*)</I><W>(.*)</W><R>(.*)</R><S>(.*)</S><M>0</M>   (.*)Wh$"));
    const QRegularExpressionMatch m = shape.match(line);
    if (!m.hasMatch())
        return QStringLiteral("<not a record> ") + line;
    const auto number = [&](int n) {
        QString text = m.captured(n);
        return text.isEmpty() ? QStringLiteral("0") : text.startsWith(u'.') ? u'0' + text : text;
    };
    return QStringLiteral("{\"date\": \"%1\", \"time\": \"%2\", \"volts\": %3, \"amps\": %4, \"watts\": %5, "
                          "\"rpm\": %6, \"wind_speed\": %7, \"watt_hours\": %8}")
        .arg(date, m.captured(1), number(2), number(3), number(4), number(5), number(6), number(7));
}

class CorvaneMqtt : public testing::Test {
protected:
    // mqtt.cfg for the broker at `port`, with further tagged lines; owner-only unless told.
    static void writeMqttConfig(const ProgramFolder& folder, int port, const QString& more,
                                QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner)
    {
        const QString text = QStringLiteral("MQTT Settings\r\n\r\n<Enabled>1</Enabled>\r\n<Host>127.0.0.1</Host>\r\n"
                                            "<Port>%1</Port>\r\n")
                                 .arg(port)
                             + more;
        folder.writeFile(QStringLiteral("mqtt.cfg"), text.toLatin1());
        QFile::setPermissions(folder.path(QStringLiteral("mqtt.cfg")), permissions);
    }

    void startWithBoard(ProgramFolder& folder, Program& board, Program& corvane, int comPort,
                        const QByteArray& script)
    {
        folder.writeConfiguration(comPort);
        QStringList options = {QStringLiteral("--folder"), folder.path(), QStringLiteral("--port"),
                               QString::number(comPort), QStringLiteral("--rate"), QStringLiteral("4")};
        if (!script.isEmpty()) {
            folder.writeFile(QStringLiteral("script.txt"), script);
            options << QStringLiteral("--script") << folder.path(QStringLiteral("script.txt"));
        }
        board.start(kBoard, options);
        ASSERT_TRUE(waitUntil([&] { return QFileInfo(folder.path(QStringLiteral("COM%1").arg(comPort))).isSymLink(); },
                              milliseconds(10000)))
            << board.output().toStdString();
        corvane.start(folder.corvaneProgram(), {}, true);
        ASSERT_TRUE(corvane.running()) << corvane.output().toStdString();
    }

    // A corvane without a board (port 0), for the connection tests.
    static void startWithoutBoard(ProgramFolder& folder, Program& corvane)
    {
        folder.writeConfiguration(0);
        corvane.start(folder.corvaneProgram(), {}, true);
    }

    static QStringList errorLines(const ProgramFolder& folder)
    {
        return crlfLines(folder.readFile(QStringLiteral("errorlog.txt")));
    }

    static QStringList recordsAsJson(const ProgramFolder& folder)
    {
        QStringList records;
        const QDir logs(folder.path(QStringLiteral("logs")));
        for (const QString& name : logs.entryList({QStringLiteral("P_*.txt")}, QDir::Files, QDir::Name)) {
            const QString date = name.mid(2, 10).replace(u'_', u'-');
            for (const QString& line : crlfLines(folder.readFile(QStringLiteral("logs/") + name)))
                records << recordAsJson(date, line);
        }
        return records;
    }
};

TEST_F(CorvaneMqtt, PublishesLiveValuesRecordsErrorsStatusAndDiscovery)
{
    Broker broker;
    ASSERT_TRUE(broker.start()) << broker.log().toStdString();
    Subscriber subscriber(broker, {QStringLiteral("corvane/#"), QStringLiteral("homeassistant/#")});
    ASSERT_TRUE(subscriber.subscribed());

    ProgramFolder folder;
    writeMqttConfig(folder, broker.port(), QStringLiteral("<ClientId>corvane-test</ClientId>\r\n"));
    Program board;
    Program corvane;
    QByteArray script = "#pause 1\n";
    for (int n = 0; n < 3; ++n)
        script += kA + '\n' + kB + '\n';
    script += kWrongChecksum + "\n#pause 40\n";
    startWithBoard(folder, board, corvane, 7, script);

    ASSERT_TRUE(subscriber.waitFor(QStringLiteral("corvane/status"), QStringLiteral("online"), milliseconds(10000)))
        << corvane.output().toStdString();
    ASSERT_TRUE(subscriber.waitForCount(QStringLiteral("corvane/record"), 1, milliseconds(20000)))
        << corvane.output().toStdString();

    const QStringList live = subscriber.payloads(QStringLiteral("corvane/live"));
    ASSERT_EQ(live.size(), 6) << live.join(u'\n').toStdString();
    const QRegularExpression a(liveShape("\"volts\": 25.2, \"amps\": 10, \"watts\": 252, \"watt_hours\": "
                                         "[0-9.e-]+, \"rpm\": 150, \"wind_speed\": 20, \"wind_units\": \"km/h\"\\}"));
    const QRegularExpression b(liveShape("\"volts\": 25.4, \"amps\": 12, \"watts\": 304.8, \"watt_hours\": "
                                         "[0-9.e-]+, \"rpm\": 210, \"wind_speed\": 25, \"wind_units\": \"km/h\"\\}"));
    for (int n = 0; n < live.size(); ++n)
        EXPECT_TRUE((n % 2 == 0 ? a : b).match(live[n]).hasMatch()) << live[n].toStdString();

    const QStringList records = subscriber.payloads(QStringLiteral("corvane/record"));
    EXPECT_EQ(records, recordsAsJson(folder).mid(0, records.size()));
    EXPECT_TRUE(records[0].contains(QStringLiteral(
        "\"volts\": 25.30, \"amps\": 11.00, \"watts\": 278.40, \"rpm\": 180, \"wind_speed\": 22.5")))
        << records[0].toStdString();

    const QStringList errors = errorLines(folder);
    ASSERT_EQ(errors.size(), 1) << errors.join(u'\n').toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("checksum error")));
    EXPECT_EQ(subscriber.payloads(QStringLiteral("corvane/error")), errors);

    // Killed outright, Corvane leaves its will behind; a newcomer reads the retained state.
    ::kill(static_cast<pid_t>(corvane.pid()), SIGKILL);
    EXPECT_TRUE(subscriber.waitFor(QStringLiteral("corvane/status"), QStringLiteral("offline"), milliseconds(10000)));
    Subscriber newcomer(broker, {QStringLiteral("corvane/status"), QStringLiteral("homeassistant/#")});
    ASSERT_TRUE(newcomer.waitForCount(QStringLiteral("corvane/status"), 1, milliseconds(5000)));
    const QList<MqttMessage> retained = newcomer.messages();
    QStringList topics;
    for (const MqttMessage& message : retained) {
        EXPECT_TRUE(message.retained) << message.topic.toStdString();
        topics << message.topic;
    }
    topics.sort();
    const QString node = QStringLiteral("homeassistant/sensor/corvane-test/");
    // Alerts are on without an alerts.cfg: a binary sensor each beside the sensors.
    const QString alert = QStringLiteral("homeassistant/binary_sensor/corvane-test/");
    EXPECT_EQ(topics, QStringList({QStringLiteral("corvane/status"), alert + QStringLiteral("battery_high/config"),
                                   alert + QStringLiteral("battery_low/config"), alert + QStringLiteral("no_data/config"),
                                   node + QStringLiteral("amps/config"),
                                   node + QStringLiteral("rpm/config"), node + QStringLiteral("volts/config"),
                                   node + QStringLiteral("watt_hours/config"), node + QStringLiteral("watts/config"),
                                   node + QStringLiteral("wind_speed/config")}));
    EXPECT_EQ(newcomer.payloads(QStringLiteral("corvane/status")), QStringList{QStringLiteral("offline")});
    // The configs are compared as JSON: key order and spacing are the JSON writer's.
    const QStringList wattHours = newcomer.payloads(node + QStringLiteral("watt_hours/config"));
    ASSERT_EQ(wattHours.size(), 1);
    EXPECT_EQ(QJsonDocument::fromJson(wattHours[0].toUtf8()),
              QJsonDocument::fromJson(
                  "{\"name\": \"Watt-hours\", \"unique_id\": \"corvane-test_watt_hours\", \"object_id\": "
                  "\"corvane_watt_hours\", \"state_topic\": \"corvane/live\", \"value_template\": \"{{ "
                  "value_json.watt_hours }}\", \"unit_of_measurement\": \"Wh\", \"device_class\": \"energy\", "
                  "\"state_class\": \"total_increasing\", \"availability_topic\": \"corvane/status\", "
                  "\"payload_available\": \"online\", \"payload_not_available\": \"offline\", \"device\": "
                  "{\"identifiers\": [\"corvane-test\"], \"name\": \"Corvane\", \"model\": \"Wind power logger\"}}"))
        << wattHours[0].toStdString();
    const QStringList wind = newcomer.payloads(node + QStringLiteral("wind_speed/config"));
    ASSERT_EQ(wind.size(), 1);
    const QJsonObject windConfig = QJsonDocument::fromJson(wind[0].toUtf8()).object();
    EXPECT_EQ(windConfig.value(QStringLiteral("unit_of_measurement")).toString(), u"km/h");
    EXPECT_EQ(windConfig.value(QStringLiteral("device_class")).toString(), u"wind_speed");
}

TEST_F(CorvaneMqtt, RecordsOfABrokerOutageArriveInOrderWithOneEntryEachWay)
{
    Broker broker;
    ASSERT_TRUE(broker.start()) << broker.log().toStdString();
    Subscriber before(broker, {QStringLiteral("corvane/#")});
    ProgramFolder folder;
    writeMqttConfig(folder, broker.port(), QString());
    Program board;
    Program corvane;
    startWithBoard(folder, board, corvane, 8, QByteArray());
    ASSERT_TRUE(before.waitForCount(QStringLiteral("corvane/record"), 1, milliseconds(20000)))
        << corvane.output().toStdString();

    broker.stop();
    // mosquitto_sub reconnects by itself; only what it had before the outage counts here.
    const QStringList recordsBefore = before.payloads(QStringLiteral("corvane/record"));
    waitUntil([] { return false; }, milliseconds(20000));
    ASSERT_TRUE(broker.start()) << broker.log().toStdString();
    Subscriber after(broker, {QStringLiteral("corvane/#")});
    ASSERT_TRUE(after.waitFor(QStringLiteral("corvane/status"), QStringLiteral("online"), milliseconds(40000)))
        << corvane.output().toStdString();

    // Every record of the day files, in order; QoS 1 allows a message caught in flight by
    // the outage to arrive twice, so a repeat right after itself is not counted.
    const auto published = [&] {
        QStringList all = recordsBefore + after.payloads(QStringLiteral("corvane/record"));
        all.erase(std::unique(all.begin(), all.end()), all.end());
        return all;
    };
    EXPECT_TRUE(waitUntil([&] { return published() == recordsAsJson(folder); }, milliseconds(15000)))
        << published().join(u'\n').toStdString() << "\n--\n" << recordsAsJson(folder).join(u'\n').toStdString();
    EXPECT_GE(recordsAsJson(folder).size(), 3);

    const QString broker_ = QStringLiteral("127.0.0.1:%1").arg(broker.port());
    // The frames kept coming in all along: no interval went without one.
    const QStringList allErrors = errorLines(folder);
    EXPECT_FALSE(allErrors.join(u'\n').contains(QStringLiteral("No valid data"))) << allErrors.join(u'\n').toStdString();
    const QStringList errors = allErrors.filter(QStringLiteral("MQTT"));
    ASSERT_EQ(errors.size(), 2) << allErrors.join(u'\n').toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("  MQTT connection to ") + broker_ + QStringLiteral(" lost  ")))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[1].contains(QStringLiteral("  MQTT connection to ") + broker_ + QStringLiteral(" back  ")))
        << errors[1].toStdString();
    EXPECT_TRUE(waitUntil([&] { return after.payloads(QStringLiteral("corvane/error")).filter(QStringLiteral("MQTT")) == errors; },
                          milliseconds(5000)))
        << after.payloads(QStringLiteral("corvane/error")).join(u'\n').toStdString();
    EXPECT_TRUE(corvane.running());
}

TEST_F(CorvaneMqtt, TlsAcceptsTheBrokersCaAndRefusesAnotherWithTheReason)
{
    QTemporaryDir certs;
    const auto file = [&](const char* name) { return certs.filePath(QString::fromLatin1(name)); };
    const QStringList ec = {QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                            QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
    QFile extensions(file("ext.cnf"));
    ASSERT_TRUE(extensions.open(QIODevice::WriteOnly));
    extensions.write("subjectAltName=IP:127.0.0.1\n");
    extensions.close();
    QString out;
    for (const char* ca : {"ca", "other"})
        ASSERT_TRUE(runTool(QStringLiteral("openssl"),
                            QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ec
                                + QStringList{QStringLiteral("-keyout"), file(ca) + QStringLiteral(".key"),
                                              QStringLiteral("-out"), file(ca) + QStringLiteral(".pem"),
                                              QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-subj"),
                                              QStringLiteral("/CN=Corvane test CA ") + QLatin1StringView(ca)},
                            &out))
            << out.toStdString();
    ASSERT_TRUE(runTool(QStringLiteral("openssl"),
                        QStringList{QStringLiteral("req")} + ec
                            + QStringList{QStringLiteral("-keyout"), file("server.key"), QStringLiteral("-out"),
                                          file("server.csr"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")},
                        &out))
        << out.toStdString();
    ASSERT_TRUE(runTool(QStringLiteral("openssl"),
                        {QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"), file("server.csr"),
                         QStringLiteral("-CA"), file("ca.pem"), QStringLiteral("-CAkey"), file("ca.key"),
                         QStringLiteral("-CAcreateserial"), QStringLiteral("-out"), file("server.pem"),
                         QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-extfile"), file("ext.cnf")},
                        &out))
        << out.toStdString();

    const int tlsPort = freePort();
    Broker broker(QStringLiteral("listener %1 127.0.0.1\ncafile %2\ncertfile %3\nkeyfile %4\n")
                      .arg(tlsPort)
                      .arg(file("ca.pem"), file("server.pem"), file("server.key")));
    ASSERT_TRUE(broker.start()) << broker.log().toStdString();
    Subscriber subscriber(broker, {QStringLiteral("trusting/status")});

    ProgramFolder trusting;
    ProgramFolder doubting;
    writeMqttConfig(trusting, tlsPort,
                    QStringLiteral("<TLS>1</TLS>\r\n<CAFile>%1</CAFile>\r\n<Topic>trusting</Topic>\r\n"
                                   "<ClientId>trusting</ClientId>\r\n")
                        .arg(file("ca.pem")));
    writeMqttConfig(doubting, tlsPort,
                    QStringLiteral("<TLS>1</TLS>\r\n<CAFile>%1</CAFile>\r\n<Topic>doubting</Topic>\r\n"
                                   "<ClientId>doubting</ClientId>\r\n")
                        .arg(file("other.pem")));
    Program first;
    Program second;
    startWithoutBoard(trusting, first);
    startWithoutBoard(doubting, second);

    EXPECT_TRUE(subscriber.waitFor(QStringLiteral("trusting/status"), QStringLiteral("online"), milliseconds(10000)))
        << first.output().toStdString() << broker.log().toStdString();
    EXPECT_TRUE(waitUntil([&] { return !errorLines(doubting).isEmpty(); }, milliseconds(10000)));
    const QStringList refused = errorLines(doubting);
    ASSERT_EQ(refused.size(), 1) << refused.join(u'\n').toStdString();
    EXPECT_TRUE(refused[0].contains(QStringLiteral("MQTT broker 127.0.0.1:%1 not reachable").arg(tlsPort)));
    EXPECT_TRUE(refused[0].contains(QStringLiteral("certificate verify failed"))) << refused[0].toStdString();
    EXPECT_TRUE(errorLines(trusting).isEmpty()) << errorLines(trusting).join(u'\n').toStdString();
}

TEST_F(CorvaneMqtt, UserAndPasswordFromAPasswordFileAndAWrongPasswordRefused)
{
    const QString password = QStringLiteral("wind-s3cret");
    const QString wrong = QStringLiteral("not-the-w1nd");
    QTemporaryDir dir;
    const QString passwords = dir.filePath(QStringLiteral("passwords"));
    QString out;
    ASSERT_TRUE(runTool(QStringLiteral("mosquitto_passwd"),
                        {QStringLiteral("-c"), QStringLiteral("-b"), passwords, QStringLiteral("corvane"), password},
                        &out))
        << out.toStdString();
    QFile::setPermissions(passwords, QFile::ReadOwner | QFile::WriteOwner);
    Broker broker(QStringLiteral("allow_anonymous false\npassword_file %1\n").arg(passwords));
    ASSERT_TRUE(broker.start()) << broker.log().toStdString();
    Subscriber subscriber(broker, {QStringLiteral("corvane/status")},
                          {QStringLiteral("-u"), QStringLiteral("corvane"), QStringLiteral("-P"), password});

    // The settings dialog's Test connection: the broker's answer, either way.
    MqttConfig tried;
    tried.host = QStringLiteral("127.0.0.1");
    tried.port = broker.port();
    tried.clientId = QStringLiteral("dialog");
    tried.user = QStringLiteral("corvane");
    tried.password = password;
    EXPECT_EQ(MqttConnection::testConnection(tried), QString());
    tried.password = wrong;
    EXPECT_EQ(MqttConnection::testConnection(tried), QStringLiteral("Connection Refused: not authorised."));

    ProgramFolder right;
    ProgramFolder refused;
    writeMqttConfig(right, broker.port(), QStringLiteral("<User>corvane</User>\r\n<Password>%1</Password>\r\n").arg(password));
    // Readable by everyone: the start-up says so in the error log.
    writeMqttConfig(refused, broker.port(),
                    QStringLiteral("<User>corvane</User>\r\n<Password>%1</Password>\r\n<ClientId>refused</ClientId>\r\n")
                        .arg(wrong),
                    QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    Program first;
    Program second;
    startWithoutBoard(right, first);
    startWithoutBoard(refused, second);

    ASSERT_TRUE(subscriber.waitFor(QStringLiteral("corvane/status"), QStringLiteral("online"), milliseconds(10000)))
        << first.output().toStdString() << broker.log().toStdString();
    // Ended as a closed window ends: offline is published before the connection goes.
    EXPECT_TRUE(first.terminate());
    EXPECT_TRUE(subscriber.waitFor(QStringLiteral("corvane/status"), QStringLiteral("offline"), milliseconds(5000)));

    ASSERT_TRUE(waitUntil([&] { return errorLines(refused).size() >= 2; }, milliseconds(10000)))
        << errorLines(refused).join(u'\n').toStdString();
    const QStringList entries = errorLines(refused);
    EXPECT_EQ(entries.size(), 2) << entries.join(u'\n').toStdString();
    EXPECT_TRUE(entries[0].contains(QStringLiteral("mqtt.cfg holds a password and other users can read it")))
        << entries[0].toStdString();
    EXPECT_TRUE(entries[1].contains(QStringLiteral("not reachable"))) << entries[1].toStdString();
    EXPECT_TRUE(entries[1].contains(QStringLiteral("not authorised"))) << entries[1].toStdString();
    EXPECT_TRUE(errorLines(right).isEmpty()) << errorLines(right).join(u'\n').toStdString();
    second.terminate();
    for (const QString& text : {errorLines(refused).join(u'\n'), second.output(), first.output()})
        EXPECT_FALSE(text.contains(wrong) || text.contains(password)) << text.toStdString();
}

}  // namespace
}  // namespace corvane::e2e
