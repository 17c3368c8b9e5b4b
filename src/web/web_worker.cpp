#include "web/web_worker.h"

#include "web/web_server.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslKey>

namespace corvane {
namespace {

// An address that is not on the box yet (the network comes up after Corvane) is tried
// again at this pace.
constexpr int kRetryMs = 10000;

QString pageAddress(const WebConfig& config, quint16 port)
{
    const QString host = config.address.isEmpty() ? QStringLiteral("every address") : config.address;
    return (config.tls() ? QStringLiteral("https on ") : QStringLiteral("http on ")) + host + u':'
           + QString::number(port);
}

}  // namespace

WebWorker::WebWorker(WebServer& owner, SocketLimits socketLimits)
    : m_owner(owner), m_socketLimits(socketLimits), m_site(owner.m_site, [&owner] { return owner.snapshot(); })
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &WebWorker::listen);
    m_ping.setInterval(m_socketLimits.pingIntervalMs);
    connect(&m_ping, &QTimer::timeout, this, &WebWorker::ping);

    const WebConfig& config = m_owner.m_config;
    if (config.tls()) {
        QString problem;
        m_tls = tlsConfiguration(problem);
        if (!m_tls) {
            m_owner.report([&owner = m_owner, problem] {
                owner.m_logError(QStringLiteral("Web page not started"), problem);
                owner.m_showStatus(QStringLiteral("Web page: off (") + problem + u')');
            });
            return;
        }
    }
    listen();
}

WebWorker::~WebWorker()
{
    for (Client& client : m_clients) {
        client.socket->disconnect(this);
        client.socket->abort();
    }
    m_clients.clear();
}

std::optional<QSslConfiguration> WebWorker::tlsConfiguration(QString& problem) const
{
    const WebConfig& config = m_owner.m_config;
    const QList<QSslCertificate> chain = QSslCertificate::fromPath(config.certFile, QSsl::Pem);
    if (chain.isEmpty()) {
        problem = QStringLiteral("cannot read a certificate from ") + config.certFile;
        return std::nullopt;
    }
    QFile keyFile(config.keyFile);
    if (!keyFile.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("cannot read ") + config.keyFile + QStringLiteral(": ") + keyFile.errorString();
        return std::nullopt;
    }
    const QByteArray pem = keyFile.readAll();
    QSslKey key;
    for (const QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec, QSsl::Dsa}) {
        key = QSslKey(pem, algorithm, QSsl::Pem);
        if (!key.isNull())
            break;
    }
    if (key.isNull()) {
        problem = QStringLiteral("cannot read a private key from ") + config.keyFile;
        return std::nullopt;
    }
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificateChain(chain);
    tls.setPrivateKey(key);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    return tls;
}

void WebWorker::listen()
{
    const WebConfig& config = m_owner.m_config;
    QHostAddress address(QHostAddress::Any);
    if (config.address == u"localhost")
        address = QHostAddress(QHostAddress::LocalHost);
    else if (!config.address.isEmpty())
        address = QHostAddress(config.address);
    if (address.isNull()) {
        m_owner.report([&owner = m_owner, text = config.address] {
            owner.m_logError(QStringLiteral("Web page not started"), text + QStringLiteral(" is not an IP address"));
            owner.m_showStatus(QStringLiteral("Web page: off (") + text + QStringLiteral(" is not an IP address)"));
        });
        return;
    }

    auto endpoint = std::make_unique<HttpEndpoint>(
        [this](const WebRequest& request) { return m_site.answer(request); },
        [this](std::unique_ptr<QWebSocket> socket) { take(std::move(socket)); });
    const auto failure = endpoint->listenOn(address, static_cast<quint16>(config.port), m_tls);
    if (!failure) {
        m_endpoint = std::move(endpoint);
        m_owner.m_port = m_endpoint->port();
        m_ping.start();
        m_owner.report([&owner = m_owner, text = pageAddress(config, m_endpoint->port())] {
            owner.m_showStatus(QStringLiteral("Web page: ") + text);
        });
        return;
    }
    if (failure->error == QAbstractSocket::SocketAddressNotAvailableError) {
        // Said once on the status line; the retries go on quietly.
        if (!m_retry.isActive())
            m_owner.report([&owner = m_owner, text = config.address] {
                owner.m_showStatus(QStringLiteral("Web page: waiting for the address ") + text);
            });
        m_retry.start();
        return;
    }
    m_owner.report([&owner = m_owner, reason = failure->reason, text = pageAddress(config, config.port)] {
        owner.m_logError(QStringLiteral("Web page not started: ") + text, reason);
        owner.m_showStatus(QStringLiteral("Web page: off (") + reason + u')');
    });
}

void WebWorker::take(std::unique_ptr<QWebSocket> socket)
{
    if (static_cast<int>(m_clients.size()) >= m_socketLimits.maxClients) {
        socket->abort();
        return;
    }
    QWebSocket* raw = socket.get();
    // Queued: an abort inside a loop over the clients must not change the list under it.
    connect(raw, &QWebSocket::disconnected, this, [this, raw] { drop(raw); }, Qt::QueuedConnection);
    connect(raw, &QWebSocket::pong, this, [this, raw] {
        for (Client& client : m_clients)
            if (client.socket.get() == raw)
                client.awaitingPong = false;
    });
    connect(raw, &QWebSocket::bytesWritten, this, [this, raw] {
        if (raw->bytesToWrite() > 0)
            return;
        for (Client& client : m_clients)
            if (client.socket.get() == raw && !client.waiting.isEmpty())
                send(client, std::exchange(client.waiting, QString()));
    });
    m_clients.push_back({std::move(socket), QString(), false});
    m_owner.m_socketClients = static_cast<int>(m_clients.size());
}

void WebWorker::send(Client& client, const QString& text)
{
    QWebSocket& socket = *client.socket;
    if (socket.bytesToWrite() > m_socketLimits.maxUnsentBytes) {
        socket.abort();
        return;
    }
    if (socket.bytesToWrite() > 0) {
        client.waiting = text;  // only the newest is worth sending once it catches up
        return;
    }
    socket.sendTextMessage(text);
}

void WebWorker::broadcast()
{
    if (m_clients.empty())
        return;
    const QString text = liveText(m_owner.snapshot());
    for (Client& client : m_clients)
        send(client, text);
}

void WebWorker::drop(QWebSocket* socket)
{
    for (auto it = m_clients.begin(); it != m_clients.end(); ++it)
        if (it->socket.get() == socket) {
            it->socket->disconnect(this);
            it->socket.release()->deleteLater();
            m_clients.erase(it);
            m_owner.m_socketClients = static_cast<int>(m_clients.size());
            return;
        }
}

void WebWorker::ping()
{
    for (Client& client : m_clients) {
        if (client.awaitingPong) {
            client.socket->abort();  // gone without a word, as a phone that lost the network
            continue;
        }
        client.awaitingPong = true;
        client.socket->ping();
    }
}

}  // namespace corvane
