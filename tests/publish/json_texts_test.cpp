#include "logging/record_line.h"
#include "publish/backlog.h"
#include "publish/discovery.h"
#include "publish/json_texts.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimeZone>
#include <limits>

namespace corvane {
namespace {

// The tests run under a locale whose decimal mark is a comma: every "." below proves the
// texts do not follow it.
TEST(JsonTexts, LiveValuesAsTheWindowHoldsThem)
{
    AcceptedFrame frame;
    frame.time = QDateTime(QDate(2010, 3, 7), QTime(14, 5, 9), QTimeZone(3600));
    frame.volts = 12.6;
    frame.amps = 3.2;
    frame.watts = 40.32;
    frame.wattHours = 234.56789;
    frame.rpm = 180.5;
    frame.windSpeed = 0.5;
    frame.windUnits = QStringLiteral("km/h");
    EXPECT_EQ(liveJson(frame),
              QStringLiteral("{\"time\": \"2010-03-07T14:05:09+01:00\", \"volts\": 12.6, \"amps\": 3.2, \"watts\": 40.32, "
                             "\"watt_hours\": 234.56789, \"rpm\": 180.5, \"wind_speed\": 0.5, \"wind_units\": \"km/h\"}"));

    frame.time = QDateTime(QDate(2010, 12, 31), QTime(23, 59, 59), QTimeZone(-(3 * 3600 + 30 * 60)));
    frame.volts = frame.amps = frame.watts = frame.wattHours = frame.rpm = 0;
    frame.windSpeed = std::numeric_limits<double>::infinity();
    frame.windUnits = QStringLiteral("m\"s\\\n");
    EXPECT_EQ(liveJson(frame),
              QStringLiteral("{\"time\": \"2010-12-31T23:59:59-03:30\", \"volts\": 0, \"amps\": 0, \"watts\": 0, "
                             "\"watt_hours\": 0, \"rpm\": 0, \"wind_speed\": null, \"wind_units\": \"m\\\"s\\\\\\n\"}"));
}

TEST(JsonTexts, NumbersReadBackAsTheSameValue)
{
    const double values[] = {0.1, 12.34, 1e-7, 123456789.125, -3.5, 1e21, 40.955};
    for (double value : values) {
        SCOPED_TRACE(value);
        const QString text = jsonNumber(value);
        EXPECT_FALSE(text.contains(u','));
        EXPECT_EQ(QLocale::c().toDouble(text), value);
    }
    EXPECT_EQ(jsonString(QStringLiteral("a\tb\x01")), QStringLiteral("\"a\\tb\\u0001\""));
}

// Each record's JSON carries the digits of its record line.
TEST(JsonTexts, RecordCarriesWhatTheRecordLineCarries)
{
    struct Case {
        IntervalValues means;
        double wattHours;
        const char* json;
    };
    const Case cases[] = {
        {{12.6, 3.25, 40.955, 0.4, 4.3}, 234.5,
         "\"volts\": 12.60, \"amps\": 3.25, \"watts\": 40.96, \"rpm\": 0, \"wind_speed\": 4.3, \"watt_hours\": 234.5}"},
        {{0.5, 0, 0, 2.5, 0}, 0,
         "\"volts\": 0.50, \"amps\": 0.00, \"watts\": 0.00, \"rpm\": 3, \"wind_speed\": 0.0, \"watt_hours\": 0.0}"},
        {{123.456, -0.25, 1234.5, 499.6, 12.25}, 99999.96,
         "\"volts\": 123.46, \"amps\": -0.25, \"watts\": 1234.50, \"rpm\": 500, \"wind_speed\": 12.3, "
         "\"watt_hours\": 100000.0}"},
    };
    for (const Case& c : cases) {
        const WrittenRecord record{QDate(2010, 3, 7), QTime(14, 5, 40), c.means, 0, c.wattHours};
        const QString json = recordJson(record);
        SCOPED_TRACE(json.toStdString());
        EXPECT_EQ(json, QStringLiteral("{\"date\": \"2010-03-07\", \"time\": \"14:05\", ") + QLatin1String(c.json));

        // The same numbers as the line, field by field, once the line's bare "." forms are read.
        static const QRegularExpression field(QStringLiteral("<([VIWRS])>([^<]*)</"));
        const QString line = recordLine(record.time, record.means, 0, record.wattHours);
        QStringList lineNumbers;
        for (const QRegularExpressionMatch& m : field.globalMatch(line))
            lineNumbers << (m.captured(2).isEmpty() ? QStringLiteral("0") : m.captured(2));
        lineNumbers << line.section(QStringLiteral("   "), 1).chopped(2);
        QStringList jsonNumbers;
        static const QRegularExpression number(QStringLiteral(": (-?[0-9.]+)[,}]"));
        for (const QRegularExpressionMatch& m : number.globalMatch(json))
            jsonNumbers << m.captured(1);
        ASSERT_EQ(jsonNumbers.size(), lineNumbers.size());
        for (qsizetype n = 0; n < jsonNumbers.size(); ++n)
            EXPECT_EQ(QLocale::c().toDouble(jsonNumbers[n]), QLocale::c().toDouble(lineNumbers[n]))
                << lineNumbers[n].toStdString();
    }
}

QJsonObject jsonObject(const QString& payload)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(payload.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << payload.toStdString();
    return document.object();
}

TEST(Discovery, OneSensorPerValueInOneDevice)
{
    MqttConfig config;
    config.topic = QStringLiteral("home/mill");
    config.clientId = QStringLiteral("corvane-mill.lan");
    const QList<TopicMessage> configs = discoveryConfigs(config, QStringLiteral("knots"));
    const QJsonObject device{{QStringLiteral("identifiers"), QJsonArray{QStringLiteral("corvane-mill_lan")}},
                             {QStringLiteral("name"), QStringLiteral("Corvane")},
                             {QStringLiteral("model"), QStringLiteral("Wind power logger")}};
    QStringList topics;
    for (const TopicMessage& message : configs) {
        topics << message.topic;
        const QJsonObject sensor = jsonObject(message.payload);
        EXPECT_EQ(sensor.value(QStringLiteral("state_topic")).toString(), u"home/mill/live");
        EXPECT_EQ(sensor.value(QStringLiteral("availability_topic")).toString(), u"home/mill/status");
        EXPECT_EQ(sensor.value(QStringLiteral("device")).toObject(), device);
    }
    const QString node = QStringLiteral("homeassistant/sensor/corvane-mill_lan/");
    QStringList expected;
    for (const char* key : {"volts", "amps", "watts", "watt_hours", "rpm", "wind_speed"})
        expected << node + QLatin1StringView(key) + QStringLiteral("/config");
    EXPECT_EQ(topics, expected);
    const QJsonObject wind = jsonObject(configs[5].payload);
    EXPECT_EQ(wind.value(QStringLiteral("unit_of_measurement")).toString(), u"kn");
    EXPECT_EQ(wind.value(QStringLiteral("device_class")).toString(), u"wind_speed");
    EXPECT_EQ(wind.value(QStringLiteral("value_template")).toString(), u"{{ value_json.wind_speed }}");
    EXPECT_FALSE(jsonObject(configs[4].payload).contains(QStringLiteral("device_class"))) << "RPM has none";

    // A unit Home Assistant does not know stays the sensor's unit, without the device class;
    // texts that need escaping come through whole.
    const QJsonObject custom = jsonObject(discoveryConfigs(config, QStringLiteral("fur\"longs")).at(5).payload);
    EXPECT_EQ(custom.value(QStringLiteral("unit_of_measurement")).toString(), u"fur\"longs");
    EXPECT_FALSE(custom.contains(QStringLiteral("device_class")));
}

TEST(Discovery, KnownWindSpeedUnits)
{
    const std::pair<const char*, const char*> cases[] = {
        {"km/h", "km/h"}, {" KPH ", "km/h"}, {"m/s", "m/s"}, {"MPH", "mph"}, {"knots", "kn"},
        {"kts", "kn"},    {"ft/s", "ft/s"},  {"", ""},       {"Beaufort", ""},
    };
    for (const auto& [text, unit] : cases)
        EXPECT_EQ(knownWindSpeedUnit(QString::fromLatin1(text)), QString::fromLatin1(unit)) << text;
}

TEST(Backlog, KeepsTheLatestInOrderAndCountsWhatWentPastItsCapacity)
{
    Backlog backlog(3);
    for (int n = 1; n <= 5; ++n)
        backlog.push({QStringLiteral("t"), QString::number(n)});
    EXPECT_EQ(backlog.size(), 3u);
    EXPECT_EQ(backlog.takeDropped(), 2u);
    EXPECT_EQ(backlog.takeDropped(), 0u);
    QStringList order;
    while (!backlog.empty()) {
        order << backlog.front().payload;
        backlog.pop();
    }
    EXPECT_EQ(order, QStringList({QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")}));
}

}  // namespace
}  // namespace corvane
