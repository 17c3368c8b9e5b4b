#pragma once

#include "publish/message_link.h"
#include "config/mqtt_config.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

struct mosquitto;

namespace corvane {

// One connection to the broker, kept up by its own network thread: connects, reconnects
// with a backoff that doubles up to 30 s, and reports each outcome. Publishing hands a
// message to the library and returns at once; it never waits for the network.
class MqttConnection final : public MessageLink {
public:
    // `announceStatus` false leaves the status topic alone (no will, no offline at stop).
    MqttConnection(const MqttConfig& config, StateHandler onState, bool announceStatus = true);
    ~MqttConnection() override;
    MqttConnection(const MqttConnection&) = delete;
    MqttConnection& operator=(const MqttConnection&) = delete;

    void start() override;
    // False when the library did not take the message (no connection for QoS 0).
    bool publish(const QString& topic, const QByteArray& payload, int qos, bool retain) override;
    // Hands a QoS 0 message to the network thread, which makes its payload and sends it at
    // its next step (within a tenth of a second): the caller pays for neither the text nor
    // a system call. Dropped without a connection; only the latest few wait.
    void publishDeferred(const QString& topic, std::function<QByteArray()> payload) override;
    // Publishes `offline` on the status topic when connected, disconnects and ends the
    // network thread, all within about `limit`.
    void stop(std::chrono::milliseconds limit);
    void stop() override { stop(std::chrono::milliseconds(2000)); }

    // Connects once and reports the broker's answer, for the settings dialog's test: an
    // empty text on success, else the reason. Blocks the caller for at most `limit`.
    static QString testConnection(const MqttConfig& config,
                                  std::chrono::milliseconds limit = std::chrono::milliseconds(5000));

private:
    void run();
    // One attempt: connect, then serve the connection until it ends; returns the reason.
    QString serveOneConnection(bool& wasConnected);
    void finishOnStop();
    void sendDeferred();
    bool waitBackoff(std::chrono::seconds delay);
    QString failureReason(int rc);

    MqttConfig m_config;
    StateHandler m_onState;
    bool m_announceStatus = true;
    mosquitto* m_mosq = nullptr;
    QString m_setupError;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::chrono::steady_clock::time_point m_stopDeadline;

    struct Deferred {
        QByteArray topic;
        std::function<QByteArray()> payload;
    };
    std::mutex m_deferredMutex;
    std::vector<Deferred> m_deferred;

    // Written by the library's callbacks on the network thread.
    std::atomic<int> m_connack{-1};
    std::atomic<int> m_lastAckedMid{-1};
    std::mutex m_logMutex;
    QString m_lastLogError;

    friend struct MqttCallbacks;
};

}  // namespace corvane
