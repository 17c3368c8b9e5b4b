#include "publish/publisher.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace corvane {
namespace {

// The broker's side as the publisher sees it: what it was handed, and a switch for the
// connection's state reports.
class FakeLink final : public MessageLink {
public:
    struct Sent {
        QString topic;
        QString payload;
        int qos;
        bool retain;
    };

    explicit FakeLink(StateHandler onState) : report(std::move(onState)) {}
    void start() override { started = true; }
    bool publish(const QString& topic, const QByteArray& payload, int qos, bool retain) override
    {
        if (!accepting)
            return false;
        sent.push_back({topic, QString::fromUtf8(payload), qos, retain});
        return true;
    }
    void publishDeferred(const QString& topic, std::function<QByteArray()> payload) override
    {
        sent.push_back({topic, QString::fromUtf8(payload()), 0, false});
    }
    void stop() override { stopped = true; }

    QStringList payloadsOn(const QString& topic) const
    {
        QStringList found;
        for (const Sent& message : sent)
            if (message.topic == topic)
                found << message.payload;
        return found;
    }

    StateHandler report;
    std::vector<Sent> sent;
    bool accepting = true;
    bool started = false;
    bool stopped = false;
};

class PublisherTest : public ::testing::Test {
protected:
    PublisherTest()
    {
        config.host = QStringLiteral("broker");
        config.clientId = QStringLiteral("mill");
        publisher = std::make_unique<Publisher>(
            config, QStringLiteral("km/h"),
            // As the window does: the entry comes back as an error-log line.
            [this](const QString& message, const QString& reason) {
                entries << message + u'|' + reason;
                publisher->errorLogged(message + u'|' + reason);
            },
            [this](const QString& text) { status = text; },
            [this](MessageLink::StateHandler onState) {
                auto link = std::make_unique<FakeLink>(std::move(onState));
                this->link = link.get();
                return link;
            });
        publisher->start();
    }
    // The report crosses to this thread through the event loop, as from the network thread.
    void report(bool up, const QString& reason = QString())
    {
        link->report(up, reason);
        QCoreApplication::processEvents();
    }
    void record(double volts)
    {
        publisher->recordWritten({QDate(2010, 3, 7), QTime(14, 5), {volts, 1, volts, 0, 0}, 0, 1.5});
    }
    AcceptedFrame frame(const QString& units = QStringLiteral("km/h")) const
    {
        return {QDateTime(QDate(2010, 3, 7), QTime(14, 5)), 12.6, 1, 12.6, 1.5, 0, 3, units};
    }
    QStringList recordVolts() const
    {
        QStringList volts;
        for (const QString& payload : link->payloadsOn(QStringLiteral("corvane/record")))
            volts << payload.section(QStringLiteral("\"volts\": "), 1).section(u',', 0, 0);
        return volts;
    }

    MqttConfig config;
    FakeLink* link = nullptr;
    std::unique_ptr<Publisher> publisher;
    QStringList entries;
    QString status;
};

TEST_F(PublisherTest, OnConnectingSaysOnlineAndPublishesDiscoveryThenEverything)
{
    EXPECT_TRUE(link->started);
    EXPECT_EQ(status, u"MQTT: connecting to broker:1883");
    publisher->frameAccepted(frame());
    EXPECT_TRUE(link->sent.empty()) << "live values wait for nothing";

    report(true);
    EXPECT_EQ(status, u"MQTT: connected to broker:1883");
    ASSERT_GE(link->sent.size(), 7u);
    EXPECT_EQ(link->sent[0].topic, u"corvane/status");
    EXPECT_EQ(link->sent[0].payload, u"online");
    EXPECT_TRUE(link->sent[0].retain);
    for (std::size_t n = 1; n < 7; ++n) {
        EXPECT_TRUE(link->sent[n].topic.startsWith(u"homeassistant/sensor/mill/"));
        EXPECT_TRUE(link->sent[n].retain);
    }
    EXPECT_TRUE(entries.isEmpty()) << "a first connection is nothing to report";

    publisher->frameAccepted(frame());
    record(12.5);
    publisher->errorLogged(QStringLiteral("2010_03_07  14:05  checksum error"));
    EXPECT_EQ(link->payloadsOn(QStringLiteral("corvane/live")).size(), 1);
    EXPECT_EQ(link->sent.back().qos, 1);
    EXPECT_EQ(recordVolts(), QStringList{QStringLiteral("12.50")});
    EXPECT_EQ(link->payloadsOn(QStringLiteral("corvane/error")),
              QStringList{QStringLiteral("2010_03_07  14:05  checksum error")});

    // A new wind-speed unit gives new discovery configs at once.
    const std::size_t before = link->sent.size();
    publisher->frameAccepted(frame(QStringLiteral("m/s")));
    EXPECT_EQ(link->sent.size(), before + 7);
}

TEST_F(PublisherTest, AnOutageMakesOneEntryEachWayAndTheGapGoesOutInOrder)
{
    report(false, QStringLiteral("Connection refused"));
    report(false, QStringLiteral("Connection refused"));
    EXPECT_EQ(entries, QStringList{QStringLiteral("MQTT broker broker:1883 not reachable|Connection refused")});
    EXPECT_EQ(status, u"MQTT: broker:1883 not reachable (Connection refused), trying again");

    report(true);
    record(1);
    report(false, QStringLiteral("The connection was lost."));
    record(2);
    publisher->frameAccepted(frame());
    record(3);
    report(false, QStringLiteral("Connection refused"));
    report(true);

    EXPECT_EQ(entries, QStringList({QStringLiteral("MQTT broker broker:1883 not reachable|Connection refused"),
                                    QStringLiteral("MQTT connection to broker:1883 back|"),
                                    QStringLiteral("MQTT connection to broker:1883 lost|The connection was lost."),
                                    QStringLiteral("MQTT connection to broker:1883 back|")}));
    EXPECT_EQ(recordVolts(), QStringList({QStringLiteral("1.00"), QStringLiteral("2.00"), QStringLiteral("3.00")}));
    // Every entry is published, in the order written, the lost one before the gap's records.
    EXPECT_EQ(link->payloadsOn(QStringLiteral("corvane/error")),
              QStringList({QStringLiteral("MQTT broker broker:1883 not reachable|Connection refused"),
                           QStringLiteral("MQTT connection to broker:1883 back|"),
                           QStringLiteral("MQTT connection to broker:1883 lost|The connection was lost."),
                           QStringLiteral("MQTT connection to broker:1883 back|")}));
    QStringList order;
    for (const FakeLink::Sent& message : link->sent)
        if (message.topic != u"corvane/status" && !message.topic.startsWith(u"homeassistant"))
            order << message.topic + u' ' + message.payload.left(40);
    const qsizetype lost = order.indexOf(QStringLiteral("corvane/error MQTT connection to broker:1883 lost|The "));
    ASSERT_GE(lost, 0) << order.join(u'\n').toStdString();
    EXPECT_TRUE(order[lost + 1].startsWith(u"corvane/record")) << order.join(u'\n').toStdString();
    EXPECT_TRUE(order.last().startsWith(u"corvane/error MQTT connection to broker:1883 back"));
    EXPECT_TRUE(link->payloadsOn(QStringLiteral("corvane/live")).isEmpty()) << "live values are not kept";
}

TEST_F(PublisherTest, AMessageTheLinkDoesNotTakeStaysFirstInLine)
{
    report(true);
    link->accepting = false;
    record(1);
    record(2);
    EXPECT_EQ(publisher->waiting(), 2u);
    link->accepting = true;
    report(false, QStringLiteral("gone"));
    report(true);
    EXPECT_EQ(recordVolts(), QStringList({QStringLiteral("1.00"), QStringLiteral("2.00")}));
    EXPECT_EQ(publisher->waiting(), 0u);
}

TEST_F(PublisherTest, AlertStatesGoOutRetainedAtOnceAndAgainAtEveryConnection)
{
    const auto alert = [](const char* key, bool raised) {
        return AlertChange{QString::fromLatin1(key), raised, QDateTime(QDate(2010, 3, 7), QTime(14, 5)),
                           QString::fromLatin1(key) + (raised ? u'+' : u'-'), std::nullopt};
    };
    const auto states = [this](const char* key) {
        QStringList found;
        for (const FakeLink::Sent& message : link->sent)
            if (message.topic == QStringLiteral("corvane/alert/") + QLatin1StringView(key)) {
                EXPECT_TRUE(message.retain && message.qos == 1) << message.topic.toStdString();
                found << message.payload.section(QStringLiteral("\"message\":\""), 1).section(u'"', 0, 0);
            }
        return found;
    };
    const auto sensors = [this] {
        QStringList found;
        for (const FakeLink::Sent& message : link->sent)
            if (message.topic.startsWith(u"homeassistant/binary_sensor/mill/") && message.retain)
                found << message.topic.section(u'/', 3, 3);
        return found;
    };
    publisher->alertChanged(alert("battery_low", false));
    publisher->alertChanged(alert("no_data", false));
    publisher->alertChanged(alert("no_data", true));
    EXPECT_TRUE(link->sent.empty()) << "nothing before a connection";

    report(true);
    EXPECT_EQ(states("battery_low"), QStringList{QStringLiteral("battery_low-")});
    EXPECT_EQ(states("no_data"), QStringList{QStringLiteral("no_data+")});
    EXPECT_EQ(sensors(), QStringList({QStringLiteral("battery_low"), QStringLiteral("no_data"),
                                      QStringLiteral("battery_high")}));
    // battery_high is off: what a run before may have left of it is removed.
    EXPECT_EQ(link->payloadsOn(QStringLiteral("corvane/alert/battery_high")), QStringList{QString()});
    EXPECT_EQ(link->payloadsOn(QStringLiteral("homeassistant/binary_sensor/mill/battery_high/config")),
              QStringList{QString()});

    // A change while connected goes out at once; an alert first heard of brings its config.
    publisher->alertChanged(alert("no_data", false));
    publisher->alertChanged(alert("battery_high", true));
    EXPECT_EQ(states("no_data"), QStringList({QStringLiteral("no_data+"), QStringLiteral("no_data-")}));
    EXPECT_EQ(sensors(), QStringList({QStringLiteral("battery_low"), QStringLiteral("no_data"),
                                      QStringLiteral("battery_high"), QStringLiteral("battery_high")}));

    // Missed while away, published with the rest at the next connection.
    report(false, QStringLiteral("gone"));
    publisher->alertChanged(alert("battery_high", false));
    report(true);
    EXPECT_EQ(states("battery_high"),
              QStringList({QString(), QStringLiteral("battery_high+"), QStringLiteral("battery_high-")}));
    EXPECT_EQ(states("no_data"), QStringList({QStringLiteral("no_data+"), QStringLiteral("no_data-"),
                                              QStringLiteral("no_data-")}));
    EXPECT_EQ(publisher->waiting(), 0u) << "alert states never wait in the backlog";
}

TEST_F(PublisherTest, StopEndsTheLinkOnceAndIgnoresWhatFollows)
{
    report(true);
    publisher->stop();
    EXPECT_TRUE(link->stopped);
    const std::size_t sent = link->sent.size();
    record(1);
    report(false, QStringLiteral("gone"));
    EXPECT_EQ(link->sent.size(), sent);
    EXPECT_TRUE(entries.isEmpty());
}

}  // namespace
}  // namespace corvane
