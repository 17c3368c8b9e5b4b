#include "web/web_snapshot.h"

#include "publish/json_texts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryFile>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace corvane {
namespace {

AcceptedFrame frame(const QString& windUnits)
{
    AcceptedFrame f;
    f.time = QDateTime(QDate(2026, 12, 7), QTime(14, 5, 30), QTimeZone::utc());
    f.volts = 25.3;
    f.amps = 11.25;
    f.watts = 284.63;
    f.wattHours = 1.5;
    f.rpm = 180;
    f.windSpeed = 36;
    f.windUnits = windUnits;
    return f;
}

// The sample lines of a metrics text (no comments), in order.
QStringList samples(const QByteArray& text)
{
    QStringList lines;
    for (const QString& line : QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts))
        if (!line.startsWith(u'#'))
            lines << line;
    return lines;
}

TEST(WebSnapshot, LiveTextIsTheMqttTextWithLogging)
{
    WebSnapshot snapshot;
    snapshot.windUnits = QStringLiteral("km/h");
    EXPECT_EQ(liveText(snapshot),
              u"{\"time\": null, \"volts\": null, \"amps\": null, \"watts\": null, \"watt_hours\": null, "
              u"\"rpm\": null, \"wind_speed\": null, \"wind_units\": \"km/h\", \"logging\": false}");
    snapshot.frame = frame(QStringLiteral("km/h"));
    snapshot.logging = true;
    QString mqtt = liveJson(*snapshot.frame);
    mqtt.chop(1);
    EXPECT_EQ(liveText(snapshot), mqtt + QStringLiteral(", \"logging\": true}"));
    EXPECT_TRUE(liveText(snapshot).contains(u"\"volts\": 25.3,"));  // "." under the comma locale
}

TEST(WebSnapshot, MetricsBeforeTheFirstFrameHaveCountersButNoValues)
{
    WebSnapshot snapshot;
    snapshot.framesRejected = 2;
    EXPECT_EQ(samples(metricsText(snapshot, QStringLiteral("1.0.0"))),
              (QStringList{QStringLiteral("corvane_energy_joules_total 0"), QStringLiteral("corvane_frames_total{result=\"accepted\"} 0"),
                           QStringLiteral("corvane_frames_total{result=\"rejected\"} 2"), QStringLiteral("corvane_error_log_entries_total 0"),
                           QStringLiteral("corvane_records_total 0"), QStringLiteral("corvane_logging 0"),
                           QStringLiteral("corvane_build_info{version=\"1.0.0\"} 1")}));
}

TEST(WebSnapshot, MetricsConvertKnownWindUnitsAndLabelOthers)
{
    WebSnapshot snapshot;
    snapshot.framesAccepted = 12;
    snapshot.errorEntries = 3;
    snapshot.records = 4;
    snapshot.logging = true;
    struct Case {
        const char* units;
        const char* windLine;
    };
    const Case cases[] = {
        {"km/h", "corvane_wind_speed_meters_per_second 10"},
        {"KPH", "corvane_wind_speed_meters_per_second 10"},
        {"m/s", "corvane_wind_speed_meters_per_second 36"},
        {"kn", "corvane_wind_speed_meters_per_second 18.52"},
        {"Beaufort \"x\"\\", "corvane_wind_speed{unit=\"Beaufort \\\"x\\\"\\\\\"} 36"},
    };
    for (const Case& c : cases) {
        snapshot.frame = frame(QString::fromUtf8(c.units));
        const QStringList lines = samples(metricsText(snapshot, QStringLiteral("1.0.0")));
        EXPECT_EQ(lines.mid(0, 4), (QStringList{QStringLiteral("corvane_battery_voltage_volts 25.3"),
                                                 QStringLiteral("corvane_battery_current_amperes 11.25"),
                                                 QStringLiteral("corvane_power_watts 284.63"), QStringLiteral("corvane_rotor_speed_rpm 180")}))
            << c.units;
        EXPECT_EQ(lines.value(4), QString::fromUtf8(c.windLine));
        EXPECT_TRUE(lines.contains(QStringLiteral("corvane_energy_joules_total 5400")));
        EXPECT_TRUE(lines.contains(QStringLiteral("corvane_frames_total{result=\"accepted\"} 12")));
        EXPECT_TRUE(lines.contains(QStringLiteral("corvane_last_frame_timestamp_seconds 1796652330")));
        EXPECT_TRUE(lines.contains(QStringLiteral("corvane_logging 1")));
    }
}

AlertChange alert(const char* key, bool raised, const char* message, std::optional<double> volts)
{
    AlertChange change;
    change.key = QString::fromUtf8(key);
    change.raised = raised;
    change.since = QDateTime(QDate(2026, 12, 7), QTime(14, 5, 30), QTimeZone(3600));
    change.message = QString::fromUtf8(message);
    change.volts = volts;
    return change;
}

// The states from the start, then a raise and a clear: each replaces its alert's state in
// place, and the list, the JSON and the gauge agree.
TEST(WebSnapshot, AlertsAsJsonAndGauge)
{
    WebSnapshot snapshot;
    EXPECT_EQ(alertsJson(snapshot), "[]");
    EXPECT_FALSE(metricsText(snapshot, QStringLiteral("1.0.0")).contains("corvane_alert_active"));

    for (const char* key : {"battery_low", "battery_high", "no_data"})
        recordAlert(snapshot, alert(key, false, "", std::nullopt));
    recordAlert(snapshot, alert("battery_low", true, "battery at 11.62 V, below 11.80 V for 60 s", 11.62));
    recordAlert(snapshot, alert("no_data", false, "frames again after 130 s", std::nullopt));

    const QJsonArray alerts = QJsonDocument::fromJson(alertsJson(snapshot)).array();
    ASSERT_EQ(alerts.size(), 3);
    struct Expected {
        const char* key;
        const char* state;
        QJsonValue since;
        QJsonValue message;
        QJsonValue volts;
    };
    const Expected expected[] = {
        {"battery_low", "raised", QStringLiteral("2026-12-07T14:05:30+01:00"),
         QStringLiteral("battery at 11.62 V, below 11.80 V for 60 s"), 11.62},
        {"battery_high", "cleared", QJsonValue(), QJsonValue(), QJsonValue()},
        {"no_data", "cleared", QStringLiteral("2026-12-07T14:05:30+01:00"), QStringLiteral("frames again after 130 s"),
         QJsonValue()},
    };
    for (qsizetype i = 0; i < alerts.size(); ++i) {
        const QJsonObject object = alerts[i].toObject();
        const Expected& e = expected[i];
        EXPECT_EQ(object.size(), 5) << e.key;
        EXPECT_EQ(object[u"alert"], QJsonValue(QString::fromUtf8(e.key)));
        EXPECT_EQ(object[u"state"], QJsonValue(QString::fromUtf8(e.state))) << e.key;
        EXPECT_EQ(object[u"since"], e.since) << e.key;
        EXPECT_EQ(object[u"message"], e.message) << e.key;
        EXPECT_EQ(object[u"volts"], e.volts) << e.key;
    }
    EXPECT_TRUE(alertsJson(snapshot).contains("\"volts\":11.62"));

    const QStringList lines = samples(metricsText(snapshot, QStringLiteral("1.0.0")));
    const qsizetype first = lines.indexOf(QStringLiteral("corvane_alert_active{alert=\"battery_low\"} 1"));
    ASSERT_GE(first, 0) << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines.mid(first, 3), (QStringList{QStringLiteral("corvane_alert_active{alert=\"battery_low\"} 1"),
                                                QStringLiteral("corvane_alert_active{alert=\"battery_high\"} 0"),
                                                QStringLiteral("corvane_alert_active{alert=\"no_data\"} 0")}));
}

TEST(WebSnapshot, MetricsPassPromtool)
{
#ifndef CORVANE_PROMTOOL
    GTEST_SKIP() << "promtool is not installed";
#else
    WebSnapshot snapshot;
    for (const char* units : {"km/h", "furlongs/fortnight"}) {
        for (const bool withFrame : {false, true}) {
            snapshot.frame.reset();
            // The alert gauge with one frame kind, none with the other.
            snapshot.alerts.clear();
            if (withFrame)
                recordAlert(snapshot, alert("battery_low", true, "low", 11.6));
            if (withFrame)
                snapshot.frame = frame(QString::fromUtf8(units));
            QProcess promtool;
            promtool.start(QStringLiteral(CORVANE_PROMTOOL), {QStringLiteral("check"), QStringLiteral("metrics")});
            ASSERT_TRUE(promtool.waitForStarted());
            promtool.write(metricsText(snapshot, QStringLiteral("1.0.0")));
            promtool.closeWriteChannel();
            ASSERT_TRUE(promtool.waitForFinished(30000));
            EXPECT_EQ(promtool.exitCode(), 0) << units << ' ' << withFrame << '\n'
                                              << promtool.readAllStandardOutput().constData()
                                              << promtool.readAllStandardError().constData();
        }
    }
#endif
}

}  // namespace
}  // namespace corvane
