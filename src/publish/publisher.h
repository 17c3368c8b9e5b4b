#pragma once

#include "alerts/alert_sink.h"
#include "logging/window_events.h"
#include "publish/backlog.h"
#include "config/mqtt_config.h"
#include "publish/message_link.h"

#include <QObject>
#include <QList>
#include <functional>
#include <memory>

namespace corvane {

// Publishes what the main window announces. Lives on the user-interface thread: the
// window's handlers only format a text and hand it over; the network thread reports the
// connection's state back through the event loop. Alert states go out retained and apart
// from the backlog: only each alert's latest state matters, sent again at every connection.
class Publisher final : public QObject, public WindowEvents, public AlertSink {
    Q_OBJECT
public:
    // Writes an entry through the window's error log: its message and the reason.
    using ErrorLogger = std::function<void(const QString& message, const QString& reason)>;
    using StatusDisplay = std::function<void(const QString& text)>;

    // `makeLink` gives the way to the broker; by default the MQTT connection.
    Publisher(const MqttConfig& config, const QString& windUnits, ErrorLogger logError, StatusDisplay showStatus,
              MessageLinkFactory makeLink = {});
    ~Publisher() override;

    void start();
    // Publishes offline on the status topic and disconnects, within about two seconds;
    // later events are dropped. Also done by the destructor.
    void stop();

    void frameAccepted(const AcceptedFrame& frame) override;
    void recordWritten(const WrittenRecord& record) override;
    void errorLogged(const QString& line) override;
    // Every alert's state is handed over once at start-up (all cleared) and then at each
    // change; the latest state of each is what a new connection publishes.
    void alertChanged(const AlertChange& change) override;

    bool connected() const { return m_state == State::Up; }
    std::size_t waiting() const { return m_backlog.size(); }

private:
    enum class State { Starting, Up, Down, Stopped };

    void connectionChanged(bool up, const QString& reason);
    void queue(TopicMessage message);
    void publishDiscovery();
    void publishAlertStates();
    void publishAlert(const AlertChange& change);
    void drainBacklog();

    MqttConfig m_config;
    QString m_liveTopic;
    QString m_windUnits;
    ErrorLogger m_logError;
    StatusDisplay m_showStatus;
    std::unique_ptr<MessageLink> m_connection;
    Backlog m_backlog;
    QList<AlertChange> m_alerts;  // in the order first heard of
    State m_state = State::Starting;
    bool m_drainScheduled = false;
};

}  // namespace corvane
