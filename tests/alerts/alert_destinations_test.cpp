#include "alerts/alert_log.h"
#include "alerts/raised_alerts.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace corvane {
namespace {

AlertChange change(const char* key, bool raised, QTime time, const char* message)
{
    return AlertChange{QString::fromLatin1(key), raised, QDateTime(QDate(2026, 3, 7), time),
                       QString::fromLatin1(message), std::nullopt};
}

TEST(AlertLog, AppendsOneWholeLinePerChangeAfterWhatIsThere)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kAlertLogFile);
    {
        QFile existing(path);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("2026_03_06 23:59:59  cleared  no_data  earlier\r\n");
    }
    QStringList failures;
    AlertLog log(path, [&failures](const QString& message, const QString&) { failures << message; });
    log.alertChanged(change("battery_low", true, QTime(9, 5, 7), "battery at 11.62 V, below 11.80 V for 60 s"));
    log.alertChanged(change("no_data", false, QTime(14, 0, 0), "frame received after 130 s without one"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("2026_03_06 23:59:59  cleared  no_data  earlier\r\n"
                                         "2026_03_07 09:05:07  raised  battery_low  battery at 11.62 V, below 11.80 V "
                                         "for 60 s\r\n"
                                         "2026_03_07 14:00:00  cleared  no_data  frame received after 130 s without one\r\n"));
    EXPECT_TRUE(failures.isEmpty());

    // A folder where the file should be: the change is reported, not lost in silence.
    AlertLog blocked(dir.path(), [&failures](const QString& message, const QString&) { failures << message; });
    blocked.alertChanged(change("battery_high", true, QTime(10, 0), "x"));
    EXPECT_EQ(failures, QStringList{QStringLiteral("An alert could not be written to alerts.txt")});
}

TEST(RaisedAlerts, ListsTheRaisedAlertsInTheOrderRaisedUntilTheyClear)
{
    QStringList shown;
    RaisedAlerts raised([&shown](const QString& text) { shown << text; });
    raised.alertChanged(change("no_data", true, QTime(9, 0), "no frame for 120 s"));
    raised.alertChanged(change("battery_low", true, QTime(9, 1), "battery at 11.62 V"));
    raised.alertChanged(change("no_data", false, QTime(9, 2), "frame received"));
    raised.alertChanged(change("battery_low", true, QTime(9, 3), "battery at 11.50 V"));
    raised.alertChanged(change("battery_low", false, QTime(9, 4), "battery at 12.50 V"));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("no_data: no frame for 120 s"),
                                  QStringLiteral("no_data: no frame for 120 s\nbattery_low: battery at 11.62 V"),
                                  QStringLiteral("battery_low: battery at 11.62 V"),
                                  QStringLiteral("battery_low: battery at 11.50 V"), QString()}));
}

}  // namespace
}  // namespace corvane
