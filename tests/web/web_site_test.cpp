#include "web/web_site.h"

#include "logging/day_file.h"
#include "logging/error_log_entry.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace corvane {
namespace {

QByteArray dayLine(const char* time, const char* volts, const char* wattHours)
{
    return QByteArray("<T>") + time + "</T><V>" + volts + "</V><I>11.00</I><W>278.40</W><R>180</R><S>22.5</S><M>0</M>   "
           + wattHours + "Wh\r\n";
}

class WebSiteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(kLogsFolder);
        m_settings.programFolder = m_dir.path();
        m_settings.version = QStringLiteral("1.0.0");
    }

    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(QDir(m_dir.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    WebReply get(const char* path, const char* query = "", const QByteArray& method = "GET",
                 const QByteArray& authorization = {})
    {
        WebSite site(m_settings, [this] { return m_snapshot; });
        WebRequest request;
        request.method = method;
        request.path = path;
        request.query = query;
        request.authorization = authorization;
        request.host = "127.0.0.1:8080";
        const std::optional<WebReply> reply = site.answer(request);
        return reply.value_or(WebReply{});
    }

    static QJsonDocument json(const WebReply& reply)
    {
        EXPECT_EQ(reply.contentType, "application/json; charset=utf-8");
        EXPECT_TRUE(reply.headers.contains(qMakePair(QByteArray("Cache-Control"), QByteArray("no-store"))));
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(reply.body, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << reply.body.constData();
        return document;
    }

    QTemporaryDir m_dir;
    WebSiteSettings m_settings;
    WebSnapshot m_snapshot;
};

TEST_F(WebSiteTest, DayHasEveryValidRecordInFileOrder)
{
    write(dayFilePath(QDate(2026, 12, 7)),
          dayLine("00:00", "25.30", "0.0") + "garbage\r\n" + dayLine("14:05", "25.30", "1.5") + "<T>25:00</T>\r\n"
              + dayLine("23:59", "", "12.5"));
    const WebReply reply = get("/api/day/2026-12-07");
    EXPECT_EQ(reply.status, 200);
    const QJsonObject day = json(reply).object();
    EXPECT_EQ(day.value("date").toString(), u"2026-12-07");
    const QJsonArray records = day.value("records").toArray();
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0].toObject().value("time").toString(), u"00:00");
    EXPECT_EQ(records[2].toObject().value("time").toString(), u"23:59");
    EXPECT_EQ(records[2].toObject().value("volts").toDouble(), 0.0);  // empty field, as the viewer reads it
    EXPECT_TRUE(reply.body.contains(R"({"time": "14:05", "volts": 25.3, "amps": 11, "watts": 278.4, "rpm": 180, )"
                                    R"("wind_speed": 22.5, "watt_hours": 1.5})"))
        << reply.body.constData();

    const WebReply missing = get("/api/day/2026-12-08");
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(json(missing).object().value("error").toString(), u"no log for 2026-12-08");
    EXPECT_EQ(get("/api/day/2026-12-32").status, 400);
}

TEST_F(WebSiteTest, SummaryHasTheCsvColumnsAsNumbers)
{
    write(dayFilePath(QDate(2026, 12, 6)), dayLine("12:00", "25.30", "100.0"));
    write(dayFilePath(QDate(2026, 12, 7)), dayLine("12:00", "26.00", "50.0"));
    write(dayFilePath(QDate(2026, 12, 8)), QByteArray("nothing here\r\n"));
    const QJsonArray days = json(get("/api/summary", "from=2026-12-07")).array();
    ASSERT_EQ(days.size(), 2);
    const QJsonObject first = days[0].toObject();
    EXPECT_EQ(first.keys().size(), 8);
    EXPECT_EQ(first.value("date").toString(), u"2026-12-07");
    EXPECT_EQ(first.value("records").toInt(), 1);
    EXPECT_TRUE(first.value("energy_wh").isDouble());
    EXPECT_EQ(first.value("max_volts").toDouble(), 26.0);
    EXPECT_EQ(days[1].toObject().value("records").toInt(), 0);
    EXPECT_TRUE(days[1].toObject().value("peak_watts").isNull());

    const WebReply csv = get("/api/summary.csv", "to=2026-12-06");
    EXPECT_EQ(csv.contentType, "text/csv; charset=utf-8");
    EXPECT_TRUE(csv.body.startsWith("date,records,energy_wh,"));
    EXPECT_EQ(csv.body.count("\r\n"), 2);
}

TEST_F(WebSiteTest, ErrorsAreTheLastLinesOldestFirstAsEightBitText)
{
    QByteArray log;
    for (int n = 1; n <= 3000; ++n)
        log += "12/07/2026 14:05:00 entry " + QByteArray::number(n) + " \xb0\r\n";
    write(kErrorLogFile, log);
    const QJsonArray last = json(get("/api/errors", "limit=3")).array();
    ASSERT_EQ(last.size(), 3);
    EXPECT_EQ(last[0].toString(), u"12/07/2026 14:05:00 entry 2998 °");
    EXPECT_EQ(last[2].toString(), u"12/07/2026 14:05:00 entry 3000 °");
    EXPECT_EQ(json(get("/api/errors")).array().size(), 50);
    EXPECT_EQ(json(get("/api/errors", "limit=1000")).array().first().toString(), u"12/07/2026 14:05:00 entry 2001 °");
    EXPECT_EQ(get("/api/errors", "limit=1001").status, 400);

    QFile::remove(QDir(m_dir.path()).filePath(kErrorLogFile));
    EXPECT_EQ(json(get("/api/errors")).array().size(), 0);
}

TEST_F(WebSiteTest, MethodsPathsAndHead)
{
    const WebReply post = get("/api/live", "", "POST");
    EXPECT_EQ(post.status, 405);
    EXPECT_TRUE(post.headers.contains(qMakePair(QByteArray("Allow"), QByteArray("GET, HEAD"))));
    EXPECT_EQ(get("/nothing").status, 404);
    EXPECT_EQ(get("/ws").status, 400);  // not an upgrade
    const WebReply head = get("/metrics", "", "HEAD");
    EXPECT_EQ(head.status, 200);
    EXPECT_TRUE(head.withoutBody);
    EXPECT_EQ(head.body, get("/metrics").body);  // so that its length is the GET's
    const WebReply page = get("/");
    EXPECT_EQ(page.contentType, "text/html; charset=utf-8");
    EXPECT_TRUE(page.body.contains("app.js"));
    EXPECT_EQ(get("/uPlot.iife.min.js").status, 200);
    EXPECT_EQ(get("/metrics").contentType, "text/plain; version=0.0.4; charset=utf-8");
    m_snapshot.alerts.push_back(AlertChange{QStringLiteral("no_data"), true, {}, QStringLiteral("no frame for 120 s"), {}});
    const WebReply alerts = get("/api/alerts");
    EXPECT_EQ(alerts.status, 200);
    EXPECT_EQ(json(alerts).array().first()[u"state"], QJsonValue(QStringLiteral("raised")));
}

TEST_F(WebSiteTest, APasswordGuardsEveryPathAndTheUpgrade)
{
    m_settings.user = QStringLiteral("owner");
    m_settings.password = QStringLiteral("s3cret");
    const QByteArray good = "Basic " + QByteArray("owner:s3cret").toBase64();
    const QByteArray bad = "Basic " + QByteArray("owner:s3cre").toBase64();
    for (const char* path : {"/", "/api/live", "/metrics", "/ws", "/api/day/2026-12-07", "/nothing"}) {
        const WebReply refused = get(path, "", "GET", bad);
        EXPECT_EQ(refused.status, 401) << path;
        EXPECT_TRUE(refused.headers.contains(qMakePair(QByteArray("WWW-Authenticate"),
                                                       QByteArray("Basic realm=\"Corvane\", charset=\"UTF-8\""))));
        EXPECT_FALSE(refused.body.contains("s3cret"));
    }
    EXPECT_EQ(get("/api/live", "", "GET", good).status, 200);
    EXPECT_EQ(get("/api/live", "", "GET").status, 401);

    WebSite site(m_settings, [this] { return m_snapshot; });
    WebRequest upgrade{"GET", "/ws", {}, good, "127.0.0.1:8080", "http://127.0.0.1:8080", true};
    EXPECT_FALSE(site.answer(upgrade).has_value());  // goes ahead
    upgrade.origin = "http://elsewhere:8080";
    EXPECT_EQ(site.answer(upgrade)->status, 403);
    upgrade.origin.clear();
    upgrade.path = "/api/live";
    EXPECT_EQ(site.answer(upgrade)->status, 404);
    upgrade.path = "/ws";
    upgrade.authorization = bad;
    EXPECT_EQ(site.answer(upgrade)->status, 401);
}

TEST(PageSettings, ComeFromProgCfg)
{
    const QString prog = QStringLiteral(
        "Program Config File\r\n\r\n<Port>1</Port>\r\n<Savehtml>0</Savehtml>\r\n<SaveExcel>0</SaveExcel>\r\n"
        "<LogDelay>10</LogDelay>\r\n<LogOn>1</LogOn>\r\n<DisplayRPM>1</DisplayRPM>\r\n<DisplayWS>0</DisplayWS>\r\n"
        "<WSUnits>mph</WSUnits>\r\n<SV>24</SV>\r\n<MA>20</MA>\r\n<BR>9600</BR>\r\n<dispMessages>1</dispMessages>\r\n");
    EXPECT_EQ(pageSettingsJson(prog),
              R"({"display_rpm": true, "display_wind": false, "wind_units": "mph", "log_delay": 10})");
}

}  // namespace
}  // namespace corvane
