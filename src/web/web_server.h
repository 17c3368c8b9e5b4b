#pragma once

#include "alerts/alert_sink.h"
#include "config/web_config.h"
#include "logging/window_events.h"
#include "web/web_site.h"
#include "web/web_snapshot.h"

#include <QObject>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <functional>
#include <mutex>

namespace corvane {

class WebWorker;

// The page's server. The window's events only copy into a snapshot under a lock and, once
// per burst of frames, wake the server's thread; everything else (listening, answering,
// WebSocket messages) happens on that thread, at a lower priority than the window's.
// Alert changes come the same way: copied into the snapshot on the monitor's thread.
class WebServer final : public WindowEvents, public AlertSink {
public:
    // Both are called on the thread that made the server.
    using ErrorLogger = std::function<void(const QString& message, const QString& reason)>;
    using StatusDisplay = std::function<void(const QString& text)>;

    WebServer(const WebConfig& config, WebSiteSettings site, const QString& windUnits, ErrorLogger logError,
              StatusDisplay showStatus);
    ~WebServer() override;

    void start();
    // Closes every connection and ends the thread; also done by the destructor.
    void stop();

    // The port listened on once listening (0 before): lets a test ask for port 0.
    quint16 port() const { return m_port.load(); }

    void frameAccepted(const AcceptedFrame& frame) override;
    void recordWritten(const WrittenRecord& record) override;
    void errorLogged(const QString& line) override;
    void frameRejected() override;
    void loggingSwitched(bool on) override;

    void alertChanged(const AlertChange& change) override;

    WebSnapshot snapshot() const;

private:
    friend class WebWorker;
    void report(std::function<void()> call);

    WebConfig m_config;
    WebSiteSettings m_site;
    ErrorLogger m_logError;
    StatusDisplay m_showStatus;
    mutable std::mutex m_mutex;
    WebSnapshot m_snapshot;
    std::atomic<bool> m_framePending{false};
    std::atomic<int> m_socketClients{0};  // kept by the server's thread
    std::atomic<quint16> m_port{0};
    QObject m_home;  // on the making thread: where reports go
    QThread m_thread;
    QObject* m_context = nullptr;  // on the server's thread
    WebWorker* m_worker = nullptr;
};

}  // namespace corvane
