#pragma once

#include "live_programs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace corvane::e2e {

// A free TCP port on 127.0.0.1, as the system hands one out.
int freePort();

// A Mosquitto broker of the test's own on 127.0.0.1: temporary configuration, no
// persistence, its log in a temporary file.
class Broker {
public:
    // `extraConfig` is added to the configuration (listeners for TLS, a password file).
    explicit Broker(QString extraConfig = QString());
    ~Broker();
    Broker(const Broker&) = delete;
    Broker& operator=(const Broker&) = delete;

    int port() const { return m_port; }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // Starts it and waits until its plain listener takes connections.
    bool start();
    void stop();
    QString log() const;

private:
    QTemporaryDir m_dir;
    int m_port;
    QString m_extraConfig;
    Program m_process;
};

struct MqttMessage {
    bool retained = false;
    QString topic;
    QString payload;
};

// mosquitto_sub on the broker's plain listener, collecting every message of `topics`.
class Subscriber {
public:
    Subscriber(const Broker& broker, const QStringList& topics, const QStringList& extraArguments = {});
    bool subscribed() const { return m_subscribed; }
    // Every message so far, in the order received.
    QList<MqttMessage> messages();
    QStringList payloads(const QString& topic);
    bool waitFor(const QString& topic, const QString& payload, milliseconds timeout);
    bool waitForCount(const QString& topic, qsizetype count, milliseconds timeout);

private:
    Program m_process;
    bool m_subscribed = false;
    QList<MqttMessage> m_messages;
};

// Runs a helper program (openssl, mosquitto_passwd) to its end; false when it fails.
bool runTool(const QString& program, const QStringList& arguments, QString* output = nullptr);

}  // namespace corvane::e2e
