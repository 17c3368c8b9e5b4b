#include "publish/publisher.h"

#include "publish/alert_messages.h"
#include "publish/json_texts.h"
#include "publish/mqtt_connection.h"

#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace corvane {
namespace {
// Messages handed over per turn of the event loop while a backlog drains, so that a long
// backlog does not hold up the frames arriving meanwhile.
constexpr int kDrainChunk = 200;
}  // namespace

Publisher::Publisher(const MqttConfig& config, const QString& windUnits, ErrorLogger logError,
                     StatusDisplay showStatus, MessageLinkFactory makeLink)
    : m_config(config), m_liveTopic(liveTopic(config)), m_windUnits(windUnits), m_logError(std::move(logError)), m_showStatus(std::move(showStatus))
{
    QPointer<Publisher> self(this);
    if (!makeLink)
        makeLink = [config](MessageLink::StateHandler onState) {
            return std::make_unique<MqttConnection>(config, std::move(onState));
        };
    m_connection = makeLink([self](bool up, const QString& reason) {
        // On the network thread: the state is the user-interface thread's to keep.
        QMetaObject::invokeMethod(
            self.data(), [self, up, reason] {
                if (self)
                    self->connectionChanged(up, reason);
            },
            Qt::QueuedConnection);
    });
}

Publisher::~Publisher()
{
    stop();
}

void Publisher::start()
{
    m_showStatus(QStringLiteral("MQTT: connecting to ") + brokerName(m_config));
    m_connection->start();
}

void Publisher::stop()
{
    if (m_state == State::Stopped)
        return;
    m_state = State::Stopped;
    m_connection->stop();
}

void Publisher::frameAccepted(const AcceptedFrame& frame)
{
    if (frame.windUnits != m_windUnits) {
        m_windUnits = frame.windUnits;
        if (m_state == State::Up)
            publishDiscovery();
    }
    // Live values are only worth sending while someone can take them.
    if (m_state == State::Up)
        m_connection->publishDeferred(m_liveTopic, [frame] { return liveJson(frame).toUtf8(); });
}

void Publisher::recordWritten(const WrittenRecord& record)
{
    queue({recordTopic(m_config), recordJson(record)});
}

void Publisher::errorLogged(const QString& line)
{
    queue({errorTopic(m_config), line});
}

void Publisher::alertChanged(const AlertChange& change)
{
    const auto known = std::find_if(m_alerts.begin(), m_alerts.end(),
                                    [&change](const AlertChange& alert) { return alert.key == change.key; });
    const bool first = known == m_alerts.end();
    if (first)
        m_alerts.append(change);
    else
        *known = change;
    if (m_state != State::Up)
        return;  // the next connection publishes it
    if (first && m_config.discovery) {
        const TopicMessage config = alertDiscoveryConfig(m_config, change.key);
        m_connection->publish(config.topic, config.payload.toUtf8(), 1, true);
    }
    publishAlert(change);
}

void Publisher::publishAlertStates()
{
    // Retained states from before a restart are replaced, a raised left behind included;
    // those of an alert switched off since then are removed, with its binary sensor.
    for (const QString& key : knownAlertKeys()) {
        if (std::any_of(m_alerts.cbegin(), m_alerts.cend(), [&key](const AlertChange& alert) { return alert.key == key; }))
            continue;
        m_connection->publish(alertTopic(m_config, key), QByteArray(), 1, true);
        if (m_config.discovery)
            m_connection->publish(alertDiscoveryConfig(m_config, key).topic, QByteArray(), 1, true);
    }
    for (const AlertChange& alert : std::as_const(m_alerts))
        publishAlert(alert);
}

void Publisher::publishAlert(const AlertChange& change)
{
    m_connection->publish(alertTopic(m_config, change.key), alertStateJson(change), 1, true);
}

void Publisher::queue(TopicMessage message)
{
    if (m_state == State::Stopped)
        return;
    m_backlog.push(std::move(message));
    if (m_state == State::Up && !m_drainScheduled)
        drainBacklog();
}

void Publisher::connectionChanged(bool up, const QString& reason)
{
    if (m_state == State::Stopped)
        return;
    const State before = m_state;
    const QString broker = brokerName(m_config);
    if (up) {
        m_state = State::Up;
        m_showStatus(QStringLiteral("MQTT: connected to ") + broker);
        m_connection->publish(statusTopic(m_config), QByteArrayLiteral("online"), 1, true);
        publishDiscovery();
        publishAlertStates();
        if (before == State::Down)
            m_logError(QStringLiteral("MQTT connection to ") + broker + QStringLiteral(" back"), QString());
        if (const std::size_t dropped = m_backlog.takeDropped())
            m_logError(QStringLiteral("MQTT: %1 older records and errors dropped while the broker was away").arg(dropped),
                       QString());
        drainBacklog();
        return;
    }
    m_state = State::Down;
    m_showStatus(QStringLiteral("MQTT: ") + broker + QStringLiteral(" not reachable (") + reason
                 + QStringLiteral("), trying again"));
    if (before == State::Up)
        m_logError(QStringLiteral("MQTT connection to ") + broker + QStringLiteral(" lost"), reason);
    else if (before == State::Starting)
        m_logError(QStringLiteral("MQTT broker ") + broker + QStringLiteral(" not reachable"), reason);
}

void Publisher::publishDiscovery()
{
    if (!m_config.discovery)
        return;
    for (const TopicMessage& message : discoveryConfigs(m_config, m_windUnits))
        m_connection->publish(message.topic, message.payload.toUtf8(), 1, true);
    for (const AlertChange& alert : std::as_const(m_alerts)) {
        const TopicMessage config = alertDiscoveryConfig(m_config, alert.key);
        m_connection->publish(config.topic, config.payload.toUtf8(), 1, true);
    }
}

void Publisher::drainBacklog()
{
    m_drainScheduled = false;
    for (int n = 0; n < kDrainChunk && m_state == State::Up && !m_backlog.empty(); ++n) {
        const TopicMessage& message = m_backlog.front();
        if (!m_connection->publish(message.topic, message.payload.toUtf8(), 1, false))
            return;  // the connection went meanwhile; its report follows
        m_backlog.pop();
    }
    if (m_state == State::Up && !m_backlog.empty()) {
        m_drainScheduled = true;
        QTimer::singleShot(0, this, &Publisher::drainBacklog);
    }
}

}  // namespace corvane
