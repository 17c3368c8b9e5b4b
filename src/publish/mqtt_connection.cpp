#include "publish/mqtt_connection.h"

#include "publish/discovery.h"

#include <cerrno>
#include <cstring>
#include <mosquitto.h>

namespace corvane {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr int kKeepAliveSeconds = 10;
constexpr seconds kMaxBackoff(30);
// A broker that takes a connection but never answers it is given up after this long.
constexpr seconds kConnectAnswerLimit(10);
constexpr int kLoopStepMs = 100;
constexpr std::size_t kMaxDeferred = 20;

struct LibraryUse {
    LibraryUse() { mosquitto_lib_init(); }
};

void useLibrary()
{
    static LibraryUse use;
}

QByteArray bytes(const QString& text)
{
    return text.toUtf8();
}

}  // namespace

// The library's callbacks, on the network thread.
struct MqttCallbacks {
    static void onConnect(mosquitto*, void* self, int rc) { static_cast<MqttConnection*>(self)->m_connack = rc; }
    static void onPublish(mosquitto*, void* self, int mid)
    {
        static_cast<MqttConnection*>(self)->m_lastAckedMid = mid;
    }
    static void onLog(mosquitto*, void* self, int level, const char* text)
    {
        if (level != MOSQ_LOG_ERR)
            return;
        auto* connection = static_cast<MqttConnection*>(self);
        const std::lock_guard lock(connection->m_logMutex);
        connection->m_lastLogError = QString::fromUtf8(text);
    }
};

MqttConnection::MqttConnection(const MqttConfig& config, StateHandler onState, bool announceStatus)
    : m_config(config), m_onState(std::move(onState)), m_announceStatus(announceStatus)
{
    useLibrary();
    m_mosq = mosquitto_new(bytes(config.clientId).constData(), true, this);
    if (!m_mosq) {
        m_setupError = QStringLiteral("the MQTT library could not start: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    // Publishing comes from another thread than the network loop.
    mosquitto_threaded_set(m_mosq, true);
    mosquitto_connect_callback_set(m_mosq, &MqttCallbacks::onConnect);
    mosquitto_publish_callback_set(m_mosq, &MqttCallbacks::onPublish);
    mosquitto_log_callback_set(m_mosq, &MqttCallbacks::onLog);

    int rc = MOSQ_ERR_SUCCESS;
    if (!config.user.isEmpty())
        rc = mosquitto_username_pw_set(m_mosq, bytes(config.user).constData(),
                                       config.password.isEmpty() ? nullptr : bytes(config.password).constData());
    const QByteArray offline("offline");
    if (rc == MOSQ_ERR_SUCCESS && announceStatus)
        rc = mosquitto_will_set(m_mosq, bytes(statusTopic(config)).constData(), offline.size(), offline.constData(),
                                1, true);
    if (rc == MOSQ_ERR_SUCCESS && config.tls) {
        if (config.caFile.isEmpty()) {
            mosquitto_int_option(m_mosq, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
            rc = mosquitto_tls_set(m_mosq, nullptr, nullptr, nullptr, nullptr, nullptr);
        } else {
            rc = mosquitto_tls_set(m_mosq, bytes(config.caFile).constData(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    if (rc != MOSQ_ERR_SUCCESS)
        m_setupError = failureReason(rc);
}

MqttConnection::~MqttConnection()
{
    stop(milliseconds(2000));
    if (m_mosq)
        mosquitto_destroy(m_mosq);
}

void MqttConnection::start()
{
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
}

bool MqttConnection::publish(const QString& topic, const QByteArray& payload, int qos, bool retain)
{
    if (!m_mosq || m_connack != 0)
        return false;
    return mosquitto_publish(m_mosq, nullptr, bytes(topic).constData(), payload.size(), payload.constData(), qos,
                             retain)
           == MOSQ_ERR_SUCCESS;
}

void MqttConnection::publishDeferred(const QString& topic, std::function<QByteArray()> payload)
{
    if (m_connack != 0)
        return;
    const std::lock_guard lock(m_deferredMutex);
    if (m_deferred.size() >= kMaxDeferred)
        m_deferred.erase(m_deferred.begin());
    m_deferred.push_back({topic.toUtf8(), std::move(payload)});
}

void MqttConnection::sendDeferred()
{
    std::vector<Deferred> due;
    {
        const std::lock_guard lock(m_deferredMutex);
        due.swap(m_deferred);
    }
    for (const Deferred& message : due) {
        const QByteArray payload = message.payload();
        mosquitto_publish(m_mosq, nullptr, message.topic.constData(), payload.size(), payload.constData(), 0, false);
    }
}

void MqttConnection::stop(milliseconds limit)
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_stopDeadline = Clock::now() + limit;
    }
    m_wake.notify_all();
    m_thread.join();
}

void MqttConnection::run()
{
    seconds backoff(1);
    while (true) {
        bool wasConnected = false;
        const QString reason = m_setupError.isEmpty() ? serveOneConnection(wasConnected) : m_setupError;
        {
            const std::lock_guard lock(m_mutex);
            if (m_stopping)
                break;
        }
        m_onState(false, reason);
        if (wasConnected)
            backoff = seconds(1);
        if (!waitBackoff(backoff))
            break;
        backoff = std::min(backoff * 2, kMaxBackoff);
    }
}

QString MqttConnection::serveOneConnection(bool& wasConnected)
{
    {
        const std::lock_guard lock(m_logMutex);
        m_lastLogError.clear();
    }
    m_connack = -1;
    int rc = mosquitto_connect_async(m_mosq, bytes(m_config.host).constData(), m_config.port, kKeepAliveSeconds);
    if (rc != MOSQ_ERR_SUCCESS)
        return failureReason(rc);
    const Clock::time_point began = Clock::now();
    while (true) {
        {
            const std::lock_guard lock(m_mutex);
            if (m_stopping)
                break;
        }
        rc = mosquitto_loop(m_mosq, kLoopStepMs, 1);
        const int connack = m_connack;
        if (rc != MOSQ_ERR_SUCCESS && connack <= 0)
            return failureReason(rc);
        if (wasConnected)
            sendDeferred();
        if (!wasConnected && connack == 0) {
            wasConnected = true;
            m_onState(true, QString());
        } else if (connack > 0) {
            const QString reason = QString::fromUtf8(mosquitto_connack_string(connack));
            m_connack = -1;
            mosquitto_disconnect(m_mosq);
            return reason;
        } else if (!wasConnected && Clock::now() - began > kConnectAnswerLimit) {
            mosquitto_disconnect(m_mosq);
            return QStringLiteral("no answer from the broker");
        }
    }
    finishOnStop();
    return QString();
}

// Leaving: say so on the status topic (a clean disconnect does not send the will), give
// the broker the time left to take it, then disconnect.
void MqttConnection::finishOnStop()
{
    if (m_connack != 0)
        return;
    int mid = -1;
    const QByteArray offline("offline");
    if (m_announceStatus
        && mosquitto_publish(m_mosq, &mid, bytes(statusTopic(m_config)).constData(), offline.size(), offline.constData(),
                          1, true)
        == MOSQ_ERR_SUCCESS) {
        while (m_lastAckedMid != mid && Clock::now() < m_stopDeadline)
            if (mosquitto_loop(m_mosq, kLoopStepMs / 4, 1) != MOSQ_ERR_SUCCESS)
                break;
    }
    m_connack = -1;
    mosquitto_disconnect(m_mosq);
    mosquitto_loop(m_mosq, 10, 1);
}

bool MqttConnection::waitBackoff(seconds delay)
{
    std::unique_lock lock(m_mutex);
    return !m_wake.wait_for(lock, delay, [this] { return m_stopping; });
}

QString MqttConnection::failureReason(int rc)
{
    const int error = errno;
    QString logged;
    {
        const std::lock_guard lock(m_logMutex);
        logged = m_lastLogError;
    }
    if (!logged.isEmpty() && (rc == MOSQ_ERR_TLS || rc == MOSQ_ERR_ERRNO || rc == MOSQ_ERR_CONN_LOST))
        return logged;
    if (rc == MOSQ_ERR_ERRNO)
        return QString::fromLocal8Bit(std::strerror(error));
    return QString::fromUtf8(mosquitto_strerror(rc));
}

QString MqttConnection::testConnection(const MqttConfig& config, milliseconds limit)
{
    MqttConfig once = config;
    once.clientId += QStringLiteral("-test");
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    QString outcome = QStringLiteral("no answer from the broker");
    {
        MqttConnection connection(
            once,
            [&](bool connected, const QString& reason) {
                const std::lock_guard lock(mutex);
                if (done)
                    return;
                done = true;
                outcome = connected ? QString() : reason;
                answered.notify_all();
            },
            false);
        connection.start();
        std::unique_lock lock(mutex);
        answered.wait_for(lock, limit, [&] { return done; });
        done = true;
        lock.unlock();
        connection.stop(milliseconds(500));
    }
    return outcome;
}

}  // namespace corvane
