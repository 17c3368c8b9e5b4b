// Alerts attached to the real main window: alerts.cfg read at the start, frames through
// the fake port, the clock's part run by hand on the test clock.
#include "app/alerting.h"
#include "desktop/stderr_interaction.h"
#include "support/config_text.h"
#include "support/test_folder.h"
#include "ui/corvane_main.h"
#include "web/web_server.h"

#include <QLabel>
#include <cstdio>
#include <gtest/gtest.h>

namespace corvane::test {
namespace {

class Alerts : public ::testing::Test {
protected:
    void start(const QByteArray& alertsConfig, const QString& port = QStringLiteral("1"))
    {
        ProgConfig prog;
        prog.Port = port;
        prog.SV = QStringLiteral("12");
        folder.write(QStringLiteral("prog.cfg"), prog.text());
        folder.write(QStringLiteral("settings.cfg"), CalibrationConfig().text());
        if (!alertsConfig.isEmpty())
            folder.write(QStringLiteral("alerts.cfg"), alertsConfig);
        // In the order of the run modes: attached first, started after.
        window = std::make_unique<CorvaneMain>(folder.platform());
        alerting = startAlerting(*window, folder.platform());
        window->Form_Load();
    }
    // A frame at `volts` now and each second after, `seconds` frames in all.
    void frames(double volts, int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            folder.ports.at(0)->deliver(QStringLiteral("[<V>%1</V><I>1</I>]").arg(volts));
            silence(1);
        }
    }
    void silence(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            folder.clock.advanceSeconds(1);
            alerting->monitor->tick();
        }
    }
    QString alertLog() const { return QString::fromLatin1(folder.read(QStringLiteral("alerts.txt"))); }

    TestFolder folder;
    std::unique_ptr<CorvaneMain> window;
    std::unique_ptr<Alerting> alerting;
};

TEST_F(Alerts, ARaiseAndItsClearReachAlertsTxtTheMessageAreaTheJournalAndThePage)
{
    start({});
    // Not started: only its snapshot, which the page's answers read, is looked at.
    WebServer page(WebConfig{}, WebSiteSettings{}, QString(), [](const QString&, const QString&) {}, [](const QString&) {});
    alerting->attach(page);
    ASSERT_EQ(page.snapshot().alerts.size(), 3u);
    const auto pageState = [&page] {
        const AlertChange low = page.snapshot().alerts.front();
        return low.key + (low.raised ? QStringLiteral(" raised ") : QStringLiteral(" cleared ")) + low.message;
    };
    EXPECT_EQ(pageState(), u"battery_low cleared ");
    showAlertsInWindow(*alerting, *window);
    std::FILE* journalFile = std::tmpfile();
    StderrInteraction journal(folder.clock, journalFile);
    reportAlertsToJournal(*alerting, journal);
    auto* raised = window->findChild<QLabel*>(QStringLiteral("raisedAlerts"));
    ASSERT_NE(raised, nullptr);

    frames(11.5, 61);
    EXPECT_EQ(alertLog(), "2010_03_07 14:06:00  raised  battery_low  battery at 11.50 V, below 11.80 V for 60 s\r\n");
    EXPECT_EQ(raised->text(), u"battery_low: battery at 11.50 V, below 11.80 V for 60 s");
    EXPECT_EQ(pageState(), u"battery_low raised battery at 11.50 V, below 11.80 V for 60 s");
    frames(12.6, 61);
    EXPECT_TRUE(alertLog().endsWith(
        "2010_03_07 14:07:01  cleared  battery_low  battery at 12.60 V, at or above 12.40 V for 60 s\r\n"));
    EXPECT_TRUE(raised->text().isEmpty());
    EXPECT_EQ(pageState(), u"battery_low cleared battery at 12.60 V, at or above 12.40 V for 60 s");

    std::rewind(journalFile);
    char line[200] = {};
    ASSERT_NE(std::fgets(line, sizeof line, journalFile), nullptr);
    EXPECT_STREQ(line, "2010-03-07 14:06:00 corvane: alert battery_low raised: battery at 11.50 V, below 11.80 V for 60 s\n");
    std::fclose(journalFile);
    alerting.reset();  // before the page it tells
}

TEST_F(Alerts, NoDataOnlyWithThePortOpenAndRejectedFramesAreNotData)
{
    start(QByteArray("Alert Settings\r\n\r\n<NoData>30</NoData>\r\n"));
    for (int i = 0; i < 31; ++i) {
        folder.ports.at(0)->deliver(QStringLiteral("[<V>12.5</V><I>1</I><C>99</C>]"));  // bad checksum
        silence(1);
    }
    EXPECT_EQ(alertLog(), "2010_03_07 14:05:30  raised  no_data  no frame for 30 s\r\n");

    // Port 0 never opens: nothing is expected, so nothing is missed.
    alerting.reset();
    window.reset();
    folder.write(QStringLiteral("alerts.txt"), {});
    start(QByteArray("Alert Settings\r\n\r\n<NoData>30</NoData>\r\n"), QStringLiteral("0"));
    silence(300);
    EXPECT_TRUE(alertLog().isEmpty());
}

TEST_F(Alerts, AContradictionIsLoggedAndOnlyItsAlertIsOff)
{
    start(QByteArray("Alert Settings\r\n\r\n<Low>12</Low>\r\n<LowClear>11</LowClear>\r\n"));
    EXPECT_TRUE(QString::fromLatin1(folder.read(QStringLiteral("errorlog.txt")))
                    .contains(u"alerts.cfg: LowClear 11 is below Low 12; battery_low is off"));
    ASSERT_EQ(alerting->monitor->states().size(), 2u);
    frames(10.0, 100);
    frames(15.0, 61);
    EXPECT_EQ(alertLog(), "2010_03_07 14:07:40  raised  battery_high  battery at 15.00 V, above 14.80 V for 60 s\r\n");

    alerting.reset();
    window.reset();
    start(QByteArray("Alert Settings\r\n\r\n<Enabled>0</Enabled>\r\n"));
    EXPECT_EQ(alerting, nullptr);
}

}  // namespace
}  // namespace corvane::test
