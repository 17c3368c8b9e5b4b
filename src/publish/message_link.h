#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace corvane {

// The publisher's way to the broker: the MQTT connection, or a fake in tests.
class MessageLink {
public:
    // Called on any thread: true with an empty reason once the broker accepted the
    // connection; false with the reason when an attempt failed or the connection ended.
    using StateHandler = std::function<void(bool connected, const QString& reason)>;

    virtual ~MessageLink() = default;
    virtual void start() = 0;
    // False when the message was not taken (no connection).
    virtual bool publish(const QString& topic, const QByteArray& payload, int qos, bool retain) = 0;
    // A QoS 0 message whose payload is made later, away from the caller's thread.
    virtual void publishDeferred(const QString& topic, std::function<QByteArray()> payload) = 0;
    // Says offline on the status topic when connected and disconnects, in bounded time.
    virtual void stop() = 0;
};

using MessageLinkFactory = std::function<std::unique_ptr<MessageLink>(MessageLink::StateHandler)>;

}  // namespace corvane
