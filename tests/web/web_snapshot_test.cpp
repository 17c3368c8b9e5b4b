#include "web/web_snapshot.h"

#include "publish/json_texts.h"

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

TEST(WebSnapshot, MetricsPassPromtool)
{
#ifndef CORVANE_PROMTOOL
    GTEST_SKIP() << "promtool is not installed";
#else
    WebSnapshot snapshot;
    for (const char* units : {"km/h", "furlongs/fortnight"}) {
        for (const bool withFrame : {false, true}) {
            snapshot.frame.reset();
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
