#include "web/web_server.h"

#include "web/web_worker.h"

#include <sys/resource.h>
#include <unistd.h>

namespace corvane {
namespace {
// Nice 10 gives the window's thread about nine tenths of a core the two share.
constexpr int kServerNiceness = 10;
}  // namespace

WebServer::WebServer(const WebConfig& config, WebSiteSettings site, const QString& windUnits, ErrorLogger logError,
                     StatusDisplay showStatus)
    : m_config(config), m_site(std::move(site)), m_logError(std::move(logError)), m_showStatus(std::move(showStatus))
{
    m_snapshot.windUnits = windUnits;
}

WebServer::~WebServer()
{
    stop();
}

void WebServer::start()
{
    if (m_thread.isRunning())
        return;
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("web page"));
    // Below the window's thread: building an answer never delays a frame.
    m_thread.start(QThread::LowPriority);
    // Made on its own thread, as the HTTP module's WebSocket part needs.
    QMetaObject::invokeMethod(m_context, [this] {
        // Linux takes thread priorities only for real-time threads; a nice value of its
        // own is what makes this thread give way to the window's.
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kServerNiceness);
        m_worker = new WebWorker(*this);
    });
}

void WebServer::stop()
{
    if (!m_thread.isRunning())
        return;
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            delete m_worker;
            m_worker = nullptr;
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    m_context = nullptr;
}

void WebServer::report(std::function<void()> call)
{
    QMetaObject::invokeMethod(&m_home, std::move(call), Qt::QueuedConnection);
}

WebSnapshot WebServer::snapshot() const
{
    const std::lock_guard lock(m_mutex);
    return m_snapshot;
}

void WebServer::frameAccepted(const AcceptedFrame& frame)
{
    {
        const std::lock_guard lock(m_mutex);
        m_snapshot.frame = frame;
        ++m_snapshot.framesAccepted;
    }
    // One wake-up for any number of frames the server has not sent yet: it sends the
    // newest. Without WebSocket clients there is nobody to wake it for.
    if (m_context && m_socketClients.load(std::memory_order_relaxed) > 0 && !m_framePending.exchange(true))
        QMetaObject::invokeMethod(m_context, [this] {
            m_framePending = false;
            if (m_worker)
                m_worker->broadcast();
        });
}

void WebServer::recordWritten(const WrittenRecord&)
{
    const std::lock_guard lock(m_mutex);
    ++m_snapshot.records;
}

void WebServer::errorLogged(const QString&)
{
    const std::lock_guard lock(m_mutex);
    ++m_snapshot.errorEntries;
}

void WebServer::frameRejected()
{
    const std::lock_guard lock(m_mutex);
    ++m_snapshot.framesRejected;
}

void WebServer::loggingSwitched(bool on)
{
    const std::lock_guard lock(m_mutex);
    m_snapshot.logging = on;
}

void WebServer::alertChanged(const AlertChange& change)
{
    const std::lock_guard lock(m_mutex);
    recordAlert(m_snapshot, change);
}

}  // namespace corvane
