#include "config/mqtt_config.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

QString file(const char* lines)
{
    return QStringLiteral("MQTT Settings\r\n\r\n") + QString::fromLatin1(lines);
}

TEST(MqttConfig, MissingKeysTakeTheirDefaults)
{
    const MqttConfig config = mqttConfigFromText(file("<Enabled>1</Enabled>\r\n"), QStringLiteral("mill"));
    EXPECT_TRUE(config.enabled);
    EXPECT_EQ(config.host, u"localhost");
    EXPECT_EQ(config.port, 1883);
    EXPECT_FALSE(config.tls);
    EXPECT_TRUE(config.caFile.isEmpty());
    EXPECT_TRUE(config.user.isEmpty());
    EXPECT_TRUE(config.password.isEmpty());
    EXPECT_EQ(config.topic, u"corvane");
    EXPECT_TRUE(config.discovery);
    EXPECT_EQ(config.clientId, u"corvane-mill");
    EXPECT_FALSE(mqttConfigFromText(QString(), QStringLiteral("mill")).enabled);
}

TEST(MqttConfig, ReadsEachKeyWithTheTagRule)
{
    struct Case {
        const char* name;
        const char* lines;
        std::function<bool(const MqttConfig&)> holds;
    };
    const Case cases[] = {
        {"off", "<Enabled>0</Enabled>", [](const MqttConfig& c) { return !c.enabled; }},
        {"only 1 is on", "<Enabled>yes</Enabled>", [](const MqttConfig& c) { return !c.enabled; }},
        {"host trimmed", "<Host> broker.lan </Host>", [](const MqttConfig& c) { return c.host == u"broker.lan"; }},
        {"port", "<Port>1884</Port>", [](const MqttConfig& c) { return c.port == 1884; }},
        {"TLS port default", "<TLS>1</TLS>", [](const MqttConfig& c) { return c.tls && c.port == 8883; }},
        {"TLS with a port", "<TLS>1</TLS><Port>9000</Port>", [](const MqttConfig& c) { return c.port == 9000; }},
        {"bad port keeps the default", "<Port>abc</Port>", [](const MqttConfig& c) { return c.port == 1883; }},
        {"port out of range", "<TLS>1</TLS><Port>70000</Port>", [](const MqttConfig& c) { return c.port == 8883; }},
        {"CA file", "<CAFile>/etc/ca.pem</CAFile>", [](const MqttConfig& c) { return c.caFile == u"/etc/ca.pem"; }},
        {"password kept as written", "<Password> p<w </Password>",
         [](const MqttConfig& c) { return c.password == u" p<w "; }},
        {"user", "<User>owner</User>", [](const MqttConfig& c) { return c.user == u"owner"; }},
        {"topic", "<Topic>home/windmill</Topic>", [](const MqttConfig& c) { return c.topic == u"home/windmill"; }},
        {"topic without trailing slash", "<Topic>mill//</Topic>", [](const MqttConfig& c) { return c.topic == u"mill"; }},
        {"empty topic is the default", "<Topic></Topic>", [](const MqttConfig& c) { return c.topic == u"corvane"; }},
        {"discovery off", "<Discovery>0</Discovery>", [](const MqttConfig& c) { return !c.discovery; }},
        {"client id", "<ClientId>mill-1</ClientId>", [](const MqttConfig& c) { return c.clientId == u"mill-1"; }},
        {"empty client id is the default", "<ClientId></ClientId>",
         [](const MqttConfig& c) { return c.clientId == u"corvane-mill"; }},
        {"closing tag missing", "<Host>broker", [](const MqttConfig& c) { return c.host == u"localhost"; }},
        {"tags are case-sensitive", "<host>broker</host>", [](const MqttConfig& c) { return c.host == u"localhost"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.holds(mqttConfigFromText(file(c.lines), QStringLiteral("mill"))));
    }
}

TEST(MqttConfig, WritesTheWholeFileAndReadsItBack)
{
    MqttConfig config;
    config.enabled = true;
    config.host = QStringLiteral("broker.lan");
    config.port = 8884;
    config.tls = true;
    config.caFile = QStringLiteral("/etc/ca.pem");
    config.user = QStringLiteral("owner");
    config.password = QStringLiteral("s3cret");
    config.topic = QStringLiteral("mill");
    config.discovery = false;
    config.clientId = QStringLiteral("mill-1");
    const QString text = mqttConfigText(config);
    EXPECT_EQ(text, QStringLiteral("MQTT Settings\r\n\r\n<Enabled>1</Enabled>\r\n<Host>broker.lan</Host>\r\n"
                                   "<Port>8884</Port>\r\n<TLS>1</TLS>\r\n<CAFile>/etc/ca.pem</CAFile>\r\n"
                                   "<User>owner</User>\r\n<Password>s3cret</Password>\r\n<Topic>mill</Topic>\r\n"
                                   "<Discovery>0</Discovery>\r\n<ClientId>mill-1</ClientId>\r\n"));
    EXPECT_EQ(mqttConfigFromText(text, QStringLiteral("other")), config);
    EXPECT_EQ(brokerName(config), u"broker.lan:8884");
}

}  // namespace
}  // namespace corvane
