#pragma once

#include "web/http_endpoint.h"
#include "web/web_site.h"

#include <QObject>
#include <QTimer>
#include <QWebSocket>
#include <memory>
#include <vector>

namespace corvane {

class WebServer;

// Rules for the WebSocket clients: a slow one gets only the newest message, one that
// falls far behind or stops answering pings is dropped.
struct SocketLimits {
    int maxClients = 64;
    qint64 maxUnsentBytes = 256 * 1024;
    int pingIntervalMs = 30000;
};

// Everything of the server that lives on its thread; made and destroyed there.
class WebWorker final : public QObject {
public:
    WebWorker(WebServer& owner, SocketLimits socketLimits = {});
    ~WebWorker() override;

    // Sends the snapshot's live text to every WebSocket client.
    void broadcast();

private:
    struct Client {
        std::unique_ptr<QWebSocket> socket;
        QString waiting;  // the newest message not yet handed to the socket
        bool awaitingPong = false;
    };

    void listen();
    void take(std::unique_ptr<QWebSocket> socket);
    void send(Client& client, const QString& text);
    void drop(QWebSocket* socket);
    void ping();
    std::optional<QSslConfiguration> tlsConfiguration(QString& problem) const;

    WebServer& m_owner;
    SocketLimits m_socketLimits;
    WebSite m_site;
    std::unique_ptr<HttpEndpoint> m_endpoint;
    std::vector<Client> m_clients;
    QTimer m_retry;
    QTimer m_ping;
    std::optional<QSslConfiguration> m_tls;
};

}  // namespace corvane
