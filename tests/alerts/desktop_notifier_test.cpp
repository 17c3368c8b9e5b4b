// The desktop notification against a notification service of the test's own, on a
// private session bus that the test starts and stops.
#include "alerts/desktop_notifier.h"

#include <QDBusConnection>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QVariantMap>
#include <gtest/gtest.h>

namespace corvane {
namespace {

// Answers Notify as a desktop's notification daemon does and keeps what it was asked.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Shown {
        QString appName, icon, summary, body;
        QVariantMap hints;
        int timeout;
    };
    std::vector<Shown> shown;

public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout)
    {
        (void)replacesId;
        (void)actions;
        shown.push_back({appName, icon, summary, body, hints, timeout});
        return static_cast<uint>(shown.size());
    }
};

class PrivateBus {
public:
    PrivateBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (m_daemon.waitForReadyRead(5000))
            address = QString::fromLatin1(m_daemon.readLine().trimmed());
    }
    ~PrivateBus()
    {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    QString address;

private:
    QProcess m_daemon;
};

bool eventually(const std::function<bool()>& condition)
{
    const QDeadlineTimer deadline(5000);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return condition();
}

TEST(DesktopNotifier, ShowsARaiseAsCriticalAndAClearAsNormalWithTheSameMessage)
{
    PrivateBus bus;
    ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
    QDBusConnection daemonSide = QDBusConnection::connectToBus(bus.address, QStringLiteral("notifications"));
    FakeNotifications notifications;
    ASSERT_TRUE(daemonSide.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications,
                                          QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(daemonSide.registerService(QStringLiteral("org.freedesktop.Notifications")));

    DesktopNotifier notifier(QDBusConnection::connectToBus(bus.address, QStringLiteral("corvane")));
    const QDateTime when(QDate(2026, 3, 7), QTime(9, 5));
    notifier.alertChanged({QStringLiteral("battery_low"), true, when, QStringLiteral("battery at 11.62 V"), 11.62});
    notifier.alertChanged({QStringLiteral("no_data"), false, when, QStringLiteral("frame received"), std::nullopt});
    ASSERT_TRUE(eventually([&] { return notifications.shown.size() == 2; }));

    const FakeNotifications::Shown& raised = notifications.shown[0];
    EXPECT_EQ(raised.appName, u"Corvane");
    EXPECT_EQ(raised.summary, u"Corvane: battery_low raised");
    EXPECT_EQ(raised.body, u"battery at 11.62 V");
    EXPECT_EQ(raised.hints.value(QStringLiteral("urgency")).toInt(), 2);
    EXPECT_EQ(raised.timeout, -1);
    const FakeNotifications::Shown& cleared = notifications.shown[1];
    EXPECT_EQ(cleared.summary, u"Corvane: no_data cleared");
    EXPECT_EQ(cleared.hints.value(QStringLiteral("urgency")).toInt(), 1);

    QDBusConnection::disconnectFromBus(QStringLiteral("corvane"));
    QDBusConnection::disconnectFromBus(QStringLiteral("notifications"));
}

}  // namespace
}  // namespace corvane

#include "desktop_notifier_test.moc"
