#include "alerts/desktop_notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QVariantMap>
#include <memory>

namespace corvane {

std::unique_ptr<DesktopNotifier> DesktopNotifier::onSessionBus()
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return nullptr;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return nullptr;
    return std::make_unique<DesktopNotifier>(bus);
}

void DesktopNotifier::alertChanged(const AlertChange& change)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QString summary =
        QStringLiteral("Corvane: %1 %2").arg(change.key, change.raised ? QStringLiteral("raised") : QStringLiteral("cleared"));
    // Urgency 2 (critical) stays on screen until dismissed; a clear is normal news.
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(change.raised ? 2 : 1));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.example.corvane.Corvane"));
    call << QStringLiteral("Corvane") << 0u << QStringLiteral("org.example.corvane.Corvane") << summary << change.message
         << QStringList() << hints << -1;
    m_bus.asyncCall(call);
}

}  // namespace corvane
