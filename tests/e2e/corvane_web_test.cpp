// The real corvane --service serving its page on 127.0.0.1 while the real corvane-board
// sends frames, asked over real connections: plain HTTP, TLS and WebSocket.
#include "live_programs.h"
#include "mqtt_broker.h"
#include "web_client.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTcpServer>
#include <QWebSocket>

namespace corvane::e2e {
namespace {

const QString kBoard = QStringLiteral(CORVANE_BOARD_EXECUTABLE);

void writeWebConfig(const ProgramFolder& folder, int port, const QString& more = {})
{
    folder.writeFile(QStringLiteral("web.cfg"),
                     (QStringLiteral("Web Settings\r\n\r\n<Enabled>1</Enabled>\r\n<Address>127.0.0.1</Address>\r\n"
                                     "<Port>%1</Port>\r\n")
                          .arg(port)
                      + more)
                         .toLatin1());
    QFile::setPermissions(folder.path(QStringLiteral("web.cfg")), QFile::ReadOwner | QFile::WriteOwner);
}

QJsonDocument json(const HttpAnswer& answer)
{
    EXPECT_EQ(answer.header("Content-Type"), "application/json; charset=utf-8");
    EXPECT_EQ(answer.header("Cache-Control"), "no-store");
    return QJsonDocument::fromJson(answer.body);
}

// A WebSocket upgrade by hand: the status line of the answer.
QByteArray upgradeStatus(int port, const QByteArray& path, const QByteArray& origin)
{
    QList<QByteArray> headers = {"Upgrade: websocket", "Connection: Upgrade",
                                 "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==", "Sec-WebSocket-Version: 13"};
    if (!origin.isEmpty())
        headers << "Origin: " + origin;
    return QByteArray::number(httpRequest(port, "GET", path, headers).status);
}

const QRegularExpression kLiveShape(QStringLiteral(
    R"(^\{"time": "\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d", "volts": [0-9.]+, "amps": [0-9.-]+, )"
    R"("watts": [0-9.e-]+, "watt_hours": [0-9.e-]+, "rpm": [0-9.]+, "wind_speed": [0-9.]+, )"
    R"("wind_units": "km/h", "logging": true\}$)"));

TEST(CorvaneWeb, ServesEveryEndpointBesideLogging)
{
    ProgramFolder folder;
    const int port = freePort();
    folder.writeConfiguration(9);
    writeWebConfig(folder, port);
    Program board;
    board.start(kBoard, {QStringLiteral("--folder"), folder.path(), QStringLiteral("--port"), QStringLiteral("9"),
                         QStringLiteral("--rate"), QStringLiteral("4"), QStringLiteral("--faults"),
                         QStringLiteral("checksum"), QStringLiteral("--fault-rate"), QStringLiteral("0.1")});
    ASSERT_TRUE(waitUntil([&] { return QFileInfo(folder.path(QStringLiteral("COM9"))).isSymLink(); },
                          milliseconds(10000)));
    Program corvane;
    corvane.start(folder.corvaneProgram(), {QStringLiteral("--service")});

    HttpAnswer live;
    ASSERT_TRUE(waitUntil(
        [&] {
            live = httpRequest(port, "GET", "/api/live");
            return live.status == 200 && !live.body.contains("\"time\": null");
        },
        milliseconds(15000)))
        << corvane.output().toStdString();
    EXPECT_TRUE(kLiveShape.match(QString::fromUtf8(live.body)).hasMatch()) << live.body.constData();
    json(live);

    // A WebSocket message follows the next frame.
    QWebSocket socket;
    QStringList messages;
    QObject::connect(&socket, &QWebSocket::textMessageReceived, [&](const QString& text) { messages << text; });
    socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
    ASSERT_TRUE(waitUntil([&] { return !messages.isEmpty(); }, milliseconds(5000)));
    EXPECT_TRUE(kLiveShape.match(messages.first()).hasMatch()) << messages.first().toStdString();
    EXPECT_EQ(upgradeStatus(port, "/ws", "http://127.0.0.1:" + QByteArray::number(port)), "101");
    EXPECT_EQ(upgradeStatus(port, "/ws", "http://evil.example:" + QByteArray::number(port)), "403");
    EXPECT_EQ(upgradeStatus(port, "/api/live", ""), "404");

    const HttpAnswer metrics = httpRequest(port, "GET", "/metrics");
    EXPECT_EQ(metrics.header("Content-Type"), "text/plain; version=0.0.4; charset=utf-8");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("\ncorvane_frames_total\\{result=\"accepted\"\\} [1-9]"))
                    .match(QString::fromUtf8(metrics.body))
                    .hasMatch())
        << metrics.body.constData();
    EXPECT_TRUE(metrics.body.contains("\ncorvane_logging 1\n"));

    // Alerts are on without an alerts.cfg: each is listed, cleared while the board's
    // frames are normal, and its gauge says the same.
    const QJsonArray alerts = json(httpRequest(port, "GET", "/api/alerts")).array();
    const QByteArray gauges = httpRequest(port, "GET", "/metrics").body;
    QStringList keys;
    for (const QJsonValue& alert : alerts) {
        keys << alert[u"alert"].toString();
        EXPECT_EQ(alert[u"state"].toString(), QStringLiteral("cleared")) << keys.last().toStdString();
        EXPECT_TRUE(gauges.contains("\ncorvane_alert_active{alert=\"" + keys.last().toLatin1() + "\"} 0\n"))
            << gauges.constData();
    }
    EXPECT_EQ(keys, (QStringList{QStringLiteral("battery_low"), QStringLiteral("battery_high"), QStringLiteral("no_data")}));

    // The first record, 10 s after the start, and the error-log entries of the faults.
    ASSERT_TRUE(waitUntil([&] { return !folder.dayFiles().isEmpty(); }, milliseconds(20000)));
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    const QJsonObject day = json(httpRequest(port, "GET", "/api/day/" + today.toLatin1())).object();
    EXPECT_EQ(day.value("date").toString(), today);
    EXPECT_EQ(day.value("records").toArray().size(), crlfLines(folder.dayFiles()).size());

    const QJsonArray summary = json(httpRequest(port, "GET", "/api/summary?from=" + today.toLatin1())).array();
    ASSERT_EQ(summary.size(), 1);
    EXPECT_EQ(summary[0].toObject().value("date").toString(), today);
    Program summaryRun;
    summaryRun.start(folder.corvaneProgram(), {QStringLiteral("--summary")});
    summaryRun.finish();
    EXPECT_EQ(httpRequest(port, "GET", "/api/summary.csv").body, summaryRun.output().toLatin1());

    const QStringList errorLog = crlfLines(folder.readFile(QStringLiteral("errorlog.txt")));
    ASSERT_FALSE(errorLog.isEmpty()) << "the board's faults should have made entries";
    const QJsonArray errors = json(httpRequest(port, "GET", "/api/errors?limit=1")).array();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errorLog.contains(errors[0].toString())) << errors[0].toString().toStdString();

    EXPECT_EQ(httpRequest(port, "POST", "/api/live").status, 405);
    EXPECT_EQ(httpRequest(port, "POST", "/api/live").header("Allow"), "GET, HEAD");
    EXPECT_EQ(httpRequest(port, "GET", "/nothing").status, 404);
    EXPECT_EQ(httpRequest(port, "GET", "/api/day/2026-02-30").status, 400);
    EXPECT_EQ(httpRequest(port, "GET", "/api/errors?limit=0").status, 400);
    EXPECT_EQ(httpRequest(port, "GET", "/api/day/%2e%2e%2fprog.cfg").status, 400);
    const HttpAnswer head = httpRequest(port, "HEAD", "/");
    EXPECT_EQ(head.status, 200);
    EXPECT_GT(head.header("Content-Length").toInt(), 0);
    EXPECT_EQ(httpRequest(port, "GET", "/").header("Content-Type"), "text/html; charset=utf-8");

    EXPECT_TRUE(corvane.running());
    EXPECT_TRUE(corvane.terminate());
}

TEST(CorvaneWeb, TlsWithAPasswordAsksForItOnEveryPath)
{
    ProgramFolder folder;
    const QString cert = folder.path(QStringLiteral("cert.pem"));
    const QString key = folder.path(QStringLiteral("key.pem"));
    Program openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                   QStringLiteral("-nodes"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                   QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-keyout"), key,
                   QStringLiteral("-out"), cert});
    ASSERT_EQ(openssl.finish(milliseconds(60000)), 0) << openssl.output().toStdString();

    const int port = freePort();
    folder.writeConfiguration(0);
    writeWebConfig(folder, port,
                   QStringLiteral("<User>owner</User>\r\n<Password>s3cret</Password>\r\n<CertFile>%1</CertFile>\r\n"
                                  "<KeyFile>%2</KeyFile>\r\n")
                       .arg(cert, key));
    Program corvane;
    corvane.start(folder.corvaneProgram(), {QStringLiteral("--service")});

    HttpAnswer refused;
    ASSERT_TRUE(waitUntil(
        [&] {
            refused = httpRequest(port, "GET", "/metrics", {}, true);
            return refused.status != 0;
        },
        milliseconds(15000)))
        << corvane.output().toStdString();
    EXPECT_EQ(refused.status, 401);
    EXPECT_TRUE(refused.header("WWW-Authenticate").startsWith("Basic "));
    const QByteArray credentials = "Authorization: Basic " + QByteArray("owner:s3cret").toBase64();
    const HttpAnswer live = httpRequest(port, "GET", "/api/live", {credentials}, true);
    EXPECT_EQ(live.status, 200);
    EXPECT_TRUE(live.body.startsWith("{\"time\": null, ")) << live.body.constData();
    EXPECT_EQ(httpRequest(port, "GET", "/api/live", {"Authorization: Basic " + QByteArray("owner:x").toBase64()}, true)
                  .status,
              401);
    EXPECT_EQ(httpRequest(port, "GET", "/api/live").status, 0);  // no plain HTTP beside it
    EXPECT_FALSE(corvane.output().contains(QStringLiteral("s3cret")));
    EXPECT_TRUE(corvane.terminate());
    EXPECT_FALSE(folder.readFile(QStringLiteral("errorlog.txt")).contains("s3cret"));
}

TEST(CorvaneWeb, APortInUseOrHalfSettingsGiveOneEntryAndLoggingGoesOn)
{
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost));
    struct Case {
        QString more;
        const char* reason;
    };
    const Case cases[] = {
        {QString(), "already in use"},
        {QStringLiteral("<User>owner</User>\r\n"), "User without a Password"},
        {QStringLiteral("<CertFile>/nonexistent.pem</CertFile>\r\n"), "only one of CertFile and KeyFile"},
        {QStringLiteral("<CertFile>/nonexistent.pem</CertFile>\r\n<KeyFile>/nonexistent.key</KeyFile>\r\n"),
         "cannot read a certificate from /nonexistent.pem"},
    };
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.writeConfiguration(0);
        writeWebConfig(folder, taken.serverPort(), c.more);
        Program corvane;
        corvane.start(folder.corvaneProgram(), {QStringLiteral("--service")});
        ASSERT_TRUE(waitUntil([&] { return !folder.readFile(QStringLiteral("errorlog.txt")).isEmpty(); },
                              milliseconds(15000)))
            << c.reason << corvane.output().toStdString();
        waitUntil([] { return false; }, milliseconds(500));
        const QStringList entries = crlfLines(folder.readFile(QStringLiteral("errorlog.txt")));
        ASSERT_EQ(entries.size(), 1) << entries.join(u'\n').toStdString();
        EXPECT_TRUE(entries[0].contains(QLatin1StringView(c.reason), Qt::CaseInsensitive))
            << entries[0].toStdString();
        EXPECT_TRUE(corvane.running());
        EXPECT_TRUE(corvane.terminate());
    }
}

}  // namespace
}  // namespace corvane::e2e
