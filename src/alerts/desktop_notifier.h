#pragma once

#include "alerts/alert_sink.h"

#include <QDBusConnection>

namespace corvane {

// Shows each change as a desktop notification through the freedesktop notification
// service. The calls are asynchronous and their answers ignored: a notification daemon
// that is slow or missing never holds up the window.
class DesktopNotifier final : public AlertSink {
public:
    explicit DesktopNotifier(QDBusConnection bus) : m_bus(std::move(bus)) {}

    // The user's session bus, or nothing when there is none (a service, a bare display).
    static std::unique_ptr<DesktopNotifier> onSessionBus();

    void alertChanged(const AlertChange& change) override;

private:
    QDBusConnection m_bus;
};

}  // namespace corvane
