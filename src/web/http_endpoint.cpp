#include "web/http_endpoint.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QLoggingCategory>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>

namespace corvane {
namespace {

// Closes a connection whose request grows past the size cap or takes longer than the
// time allowed; each answer starts both afresh. Dropped once the connection becomes a
// WebSocket, which has rules of its own.
class ConnectionGuard final : public QObject {
public:
    // Found by name: the class has no meta-object of its own for findChild to tell it by.
    static inline const QString kName = QStringLiteral("corvane-connection-guard");

    ConnectionGuard(QTcpSocket* socket, const ConnectionLimits& limits) : QObject(socket)
    {
        setObjectName(kName);
        m_timer.setSingleShot(true);
        m_timer.setInterval(limits.requestTimeoutMs);
        connect(&m_timer, &QTimer::timeout, socket, &QAbstractSocket::abort);
        connect(socket, &QIODevice::readyRead, this, [this, socket, limit = limits.maxRequestBytes] {
            // Connected before the server's own slot, so it sees every byte before the
            // parser does, whether or not the parser leaves them in the buffer.
            m_received += socket->bytesAvailable();
            if (m_received > limit || socket->bytesAvailable() > limit)
                socket->abort();
        });
        connect(socket, &QIODevice::bytesWritten, this, [this] {
            m_received = 0;
            m_timer.start();
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
    qint64 m_received = 0;
};

class PlainServer final : public QTcpServer {
public:
    explicit PlainServer(std::function<bool(QTcpSocket*)> admit) : m_admit(std::move(admit)) {}

protected:
    void incomingConnection(qintptr handle) override
    {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(handle) || !m_admit(socket)) {
            socket->abort();
            delete socket;
            return;
        }
        addPendingConnection(socket);
    }

private:
    std::function<bool(QTcpSocket*)> m_admit;
};

QByteArray methodName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get: return QByteArrayLiteral("GET");
    case QHttpServerRequest::Method::Head: return QByteArrayLiteral("HEAD");
    case QHttpServerRequest::Method::Post: return QByteArrayLiteral("POST");
    case QHttpServerRequest::Method::Put: return QByteArrayLiteral("PUT");
    case QHttpServerRequest::Method::Delete: return QByteArrayLiteral("DELETE");
    case QHttpServerRequest::Method::Options: return QByteArrayLiteral("OPTIONS");
    case QHttpServerRequest::Method::Patch: return QByteArrayLiteral("PATCH");
    default: return QByteArrayLiteral("OTHER");
    }
}

}  // namespace

HttpEndpoint::HttpEndpoint(Handler handle, SocketTaker takeSocket, ConnectionLimits limits, QObject* parent)
    : QAbstractHttpServer(parent), m_handle(std::move(handle)), m_takeSocket(std::move(takeSocket)), m_limits(limits)
{
    // The module's debug output names every header, the password's among them.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.httpserver*=false"));
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, [this] {
        while (hasPendingWebSocketConnections())
            m_takeSocket(nextPendingWebSocketConnection());
    });
}

HttpEndpoint::~HttpEndpoint() = default;

std::optional<HttpEndpoint::ListenFailure> HttpEndpoint::listenOn(const QHostAddress& address, quint16 port,
                                                                  const std::optional<QSslConfiguration>& tls)
{
    const auto admit = [this](QTcpSocket* socket) {
        if (m_open >= m_limits.maxConnections)
            return false;
        ++m_open;
        connect(socket, &QObject::destroyed, this, [this] { --m_open; });
        new ConnectionGuard(socket, m_limits);
        return true;
    };
    std::unique_ptr<QTcpServer> server;
    if (tls) {
        auto ssl = std::make_unique<QSslServer>();
        ssl->setSslConfiguration(*tls);
        connect(ssl.get(), &QSslServer::startedEncryptionHandshake, this, [admit](QSslSocket* socket) {
            if (!admit(socket))
                socket->abort();
        });
        server = std::move(ssl);
    } else {
        server = std::make_unique<PlainServer>(admit);
    }
    server->setMaxPendingConnections(m_limits.maxConnections);
    if (!server->listen(address, port))
        return ListenFailure{server->errorString(), server->serverError()};
    m_server = server.release();
    bind(m_server);
    return std::nullopt;
}

quint16 HttpEndpoint::port() const
{
    return m_server ? m_server->serverPort() : 0;
}

bool HttpEndpoint::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    WebRequest web;
    web.method = methodName(request.method());
    web.path = request.url().path(QUrl::FullyEncoded).toLatin1();
    web.query = request.url().query(QUrl::FullyEncoded).toLatin1();
    web.authorization = request.value(QByteArrayLiteral("authorization"));
    web.host = request.value(QByteArrayLiteral("host"));
    web.origin = request.value(QByteArrayLiteral("origin"));
    web.upgrade = request.value(QByteArrayLiteral("upgrade")).compare("websocket", Qt::CaseInsensitive) == 0;

    const std::optional<WebReply> reply = m_handle(web);
    if (!reply) {
        // Returning true without an answer lets the module go on to the upgrade (false
        // would have it answer 404); the socket is the WebSocket's from then on.
        delete socket->findChild<QObject*>(ConnectionGuard::kName, Qt::FindDirectChildrenOnly);
        return true;
    }
    QHttpServerResponder responder = makeResponder(request, socket);
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(reply->status));
    for (const auto& [name, value] : reply->headers)
        responder.writeHeader(name, value);
    responder.writeHeader(QByteArrayLiteral("Content-Type"), reply->contentType);
    responder.writeHeader(QByteArrayLiteral("Content-Length"), QByteArray::number(reply->body.size()));
    if (reply->withoutBody)
        responder.writeBody(QByteArray());
    else
        responder.writeBody(reply->body);
    if (web.upgrade) {
        // The module upgrades every upgrade request it sees handled; a refused one must
        // not get that far, so the connection ends with the refusal.
        socket->flush();
        socket->abort();
        // The module rolls back the read it began before it hands the socket on; give it
        // one to roll back, so that it has nothing to complain about.
        socket->startTransaction();
    }
    return true;
}

void HttpEndpoint::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    // Reached only for an upgrade the module did not take; answer it as unknown.
    QHttpServerResponder responder = makeResponder(request, socket);
    responder.write(QHttpServerResponder::StatusCode::NotFound);
}

}  // namespace corvane
