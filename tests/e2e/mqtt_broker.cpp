#include "mqtt_broker.h"

#include <QFile>
#include <QProcess>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvane::e2e {
namespace {

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool takesConnections(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(port);
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

Broker::Broker(QString extraConfig) : m_port(freePort()), m_extraConfig(std::move(extraConfig)) {}

Broker::~Broker()
{
    stop();
}

bool Broker::start()
{
    QString config = QStringLiteral("per_listener_settings false\npersistence false\nlog_dest file %1\n"
                                    "log_type all\nlistener %2 127.0.0.1\n")
                         .arg(path(QStringLiteral("broker.log")))
                         .arg(m_port);
    // Run as root, the broker would otherwise drop to a user that cannot read the test's files.
    if (::geteuid() == 0)
        config.prepend(QStringLiteral("user root\n"));
    if (!m_extraConfig.contains(QStringLiteral("allow_anonymous")))
        config += QStringLiteral("allow_anonymous true\n");
    config += m_extraConfig;
    QFile file(path(QStringLiteral("broker.conf")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(config.toUtf8());
    file.close();
    m_process.start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), file.fileName()});
    return waitUntil([&] { return takesConnections(m_port) || !m_process.running(); }, milliseconds(10000))
           && m_process.running();
}

void Broker::stop()
{
    m_process.terminate(milliseconds(5000));
}

QString Broker::log() const
{
    QFile file(path(QStringLiteral("broker.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

Subscriber::Subscriber(const Broker& broker, const QStringList& topics, const QStringList& extraArguments)
{
    static int count = 0;
    const QString id = QStringLiteral("test-subscriber-%1").arg(++count);
    QStringList arguments = {QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                             QString::number(broker.port()), QStringLiteral("-i"), id,
                             QStringLiteral("-q"), QStringLiteral("1"),
                             QStringLiteral("-F"), QStringLiteral("%r %t %p")};
    for (const QString& topic : topics)
        arguments << QStringLiteral("-t") << topic;
    m_process.start(QStringLiteral("mosquitto_sub"), arguments + extraArguments);
    // Messages count from the moment the broker has taken the subscription.
    m_subscribed = waitUntil(
        [&] { return broker.log().contains(QStringLiteral("Received SUBSCRIBE from ") + id); }, milliseconds(10000));
}

QList<MqttMessage> Subscriber::messages()
{
    const QString output = m_process.output();
    m_messages.clear();
    for (const QString& line : output.split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype topicEnd = line.indexOf(u' ', 2);
        if (line.size() < 3 || topicEnd < 0)
            continue;
        m_messages.append({line.startsWith(u'1'), line.mid(2, topicEnd - 2), line.mid(topicEnd + 1)});
    }
    return m_messages;
}

QStringList Subscriber::payloads(const QString& topic)
{
    QStringList found;
    for (const MqttMessage& message : messages())
        if (message.topic == topic)
            found << message.payload;
    return found;
}

bool Subscriber::waitFor(const QString& topic, const QString& payload, milliseconds timeout)
{
    return waitUntil([&] { return payloads(topic).contains(payload); }, timeout);
}

bool Subscriber::waitForCount(const QString& topic, qsizetype count, milliseconds timeout)
{
    return waitUntil([&] { return payloads(topic).size() >= count; }, timeout);
}

bool runTool(const QString& program, const QStringList& arguments, QString* output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(30000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

}  // namespace corvane::e2e
