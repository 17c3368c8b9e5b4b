#pragma once

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QSslConfiguration>
#include <QWebSocket>
#include <functional>
#include <memory>
#include <optional>

class QTcpServer;

namespace corvane {

// A request as the rest of the server sees it: nothing of the HTTP module's own types.
struct WebRequest {
    QByteArray method;  // "GET", "HEAD", ...; "OTHER" for one the module does not name
    QByteArray path;    // percent-encoded, as sent
    QByteArray query;   // percent-encoded, without "?"
    QByteArray authorization;
    QByteArray host;
    QByteArray origin;
    bool upgrade = false;  // asks for a WebSocket
};

struct WebReply {
    int status = 200;
    QByteArray contentType;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    bool withoutBody = false;  // HEAD: the headers of the full reply, no body
};

// What keeps misbehaving clients from holding the server: caps on connections, on the
// size of a request's head and on the time a request may take to arrive.
struct ConnectionLimits {
    int maxConnections = 256;
    qint64 maxRequestBytes = 64 * 1024;
    int requestTimeoutMs = 10000;
};

// The one place that knows Qt's HTTP server module, whose 6.4 version is a technical
// preview: later versions change its interface, and only this class has to follow.
class HttpEndpoint final : public QAbstractHttpServer {
    Q_OBJECT
public:
    // Answers a request, or gives nothing to let a WebSocket upgrade go ahead.
    using Handler = std::function<std::optional<WebReply>(const WebRequest&)>;
    using SocketTaker = std::function<void(std::unique_ptr<QWebSocket>)>;

    HttpEndpoint(Handler handle, SocketTaker takeSocket, ConnectionLimits limits = {}, QObject* parent = nullptr);
    ~HttpEndpoint() override;

    // Listens on `address`:`port`, over TLS when `tls` is given. On failure, the reason
    // and the socket error (an address not on the box yet can be tried again).
    struct ListenFailure {
        QString reason;
        QAbstractSocket::SocketError error;
    };
    std::optional<ListenFailure> listenOn(const QHostAddress& address, quint16 port,
                                          const std::optional<QSslConfiguration>& tls);
    quint16 port() const;

    int openConnections() const { return m_open; }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    void guard(QTcpSocket* socket);

    Handler m_handle;
    SocketTaker m_takeSocket;
    ConnectionLimits m_limits;
    QTcpServer* m_server = nullptr;
    int m_open = 0;
};

}  // namespace corvane
