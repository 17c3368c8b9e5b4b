#include "publish/alert_messages.h"

#include <gtest/gtest.h>

#include <QTimeZone>

namespace corvane {
namespace {

TEST(AlertMessages, StateWithVoltsToTwoDecimalsOrNullAndTheSinceWithItsOffset)
{
    const QDateTime since(QDate(2010, 3, 7), QTime(14, 5, 9), QTimeZone(3600));
    const struct {
        AlertChange change;
        const char* json;
    } cases[] = {
        {{QStringLiteral("battery_low"), true, since, QStringLiteral("battery at 11.62 V, below 11.80 V for 60 s"),
          11.6249},
         R"({"message":"battery at 11.62 V, below 11.80 V for 60 s","since":"2010-03-07T14:05:09+01:00",)"
         R"("state":"raised","volts":11.62})"},
        {{QStringLiteral("no_data"), false, since, QStringLiteral("no frame for \"120\" s"), std::nullopt},
         R"({"message":"no frame for \"120\" s","since":"2010-03-07T14:05:09+01:00","state":"cleared","volts":null})"},
    };
    for (const auto& row : cases)
        EXPECT_EQ(alertStateJson(row.change), QByteArray(row.json));

    MqttConfig config;
    config.topic = QStringLiteral("home/mill");
    EXPECT_EQ(alertTopic(config, QStringLiteral("no_data")), u"home/mill/alert/no_data");
}

TEST(AlertMessages, ABinarySensorPerAlertOnTheSensorsDeviceWithItsClass)
{
    MqttConfig config;
    config.clientId = QStringLiteral("mill.shed");
    const TopicMessage low = alertDiscoveryConfig(config, QStringLiteral("battery_low"));
    EXPECT_EQ(low.topic, u"homeassistant/binary_sensor/mill_shed/battery_low/config");
    EXPECT_EQ(low.payload,
              QStringLiteral(
                  R"({"availability_topic":"corvane/status","device":{"identifiers":["mill_shed"],"model":"Wind power )"
                  R"(logger","name":"Corvane"},"device_class":"battery","json_attributes_topic":"corvane/alert/)"
                  R"(battery_low","name":"Battery low","object_id":"corvane_alert_battery_low","payload_available":)"
                  R"("online","payload_not_available":"offline","payload_off":"cleared","payload_on":"raised",)"
                  R"("state_topic":"corvane/alert/battery_low","unique_id":"mill_shed_alert_battery_low",)"
                  R"("value_template":"{{ value_json.state }}"})"));
    for (const char* key : {"battery_high", "no_data"})
        EXPECT_TRUE(alertDiscoveryConfig(config, QString::fromLatin1(key))
                        .payload.contains(QStringLiteral("\"device_class\":\"problem\"")))
            << key;
}

}  // namespace
}  // namespace corvane
