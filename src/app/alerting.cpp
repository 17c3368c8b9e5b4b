#include "app/alerting.h"
#include "app/window_reports.h"

#include "alerts/alert_log.h"
#include "alerts/command_runner.h"
#include "alerts/desktop_notifier.h"
#include "alerts/raised_alerts.h"
#include "config/config_files.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "desktop/stderr_interaction.h"
#include "text/failure.h"
#include "ui/corvane_main.h"

#include <QLabel>
#include <QPointer>

namespace corvane {
namespace {

QString fileText(const QString& path)
{
    try {
        return readWholeFile(path);
    } catch (const Failure&) {
        return QString();
    }
}

// A destination that hands each change to a function.
class ChangeFunction final : public AlertSink {
public:
    explicit ChangeFunction(std::function<void(const AlertChange&)> function) : m_function(std::move(function)) {}
    void alertChanged(const AlertChange& change) override { m_function(change); }

private:
    std::function<void(const AlertChange&)> m_function;
};

}  // namespace

void Alerting::add(std::unique_ptr<AlertSink> destination)
{
    monitor->addSink(*destination);
    destinations.push_back(std::move(destination));
}

void Alerting::attach(AlertSink& destination)
{
    for (const AlertChange& state : monitor->states())
        destination.alertChanged(state);
    monitor->addSink(destination);
}

std::unique_ptr<Alerting> startAlerting(CorvaneMain& window, const Platform& platform)
{
    const QString path = platform.path(kAlertsConfigFile);
    const AlertsConfigReading reading =
        readAlertsConfig(fileText(path), bankVolts(fileText(platform.path(kProgramConfigFile))));
    for (const QString& problem : reading.problems)
        window.LogOutsideEvent(problem, path);
    if (!reading.config.enabled)
        return nullptr;

    const auto logError = windowErrorLog(window);
    QPointer<CorvaneMain> owner = &window;
    auto alerting = std::make_unique<Alerting>();
    alerting->config = reading.config;
    // The port stays "open" while its device is away and the port waits for it; only the
    // dialogs close it, and port 0 never opens it.
    alerting->monitor = std::make_unique<AlertMonitor>(reading.config, *platform.clock, [owner] {
        return owner && owner->MSComm1 && owner->MSComm1->isOpen();
    });
    alerting->add(std::make_unique<AlertLog>(platform.path(kAlertLogFile), logError));
    if (!reading.config.command.isEmpty())
        alerting->add(std::make_unique<CommandRunner>(reading.config.command, logError));
    alerting->subscription = window.subscribe(*alerting->monitor);
    QObject::connect(&alerting->tick, &QTimer::timeout, [monitor = alerting->monitor.get()] { monitor->tick(); });
    alerting->tick.start(1000);
    return alerting;
}

void showAlertsInWindow(Alerting& alerting, CorvaneMain& window)
{
    if (std::unique_ptr<DesktopNotifier> desktop = DesktopNotifier::onSessionBus())
        alerting.add(std::move(desktop));
    QPointer<QLabel> line = window.addStatusLine(QStringLiteral("raisedAlerts"));
    line->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    line->hide();
    alerting.add(std::make_unique<RaisedAlerts>([line](const QString& text) {
        if (!line)
            return;
        line->setText(text);
        line->setVisible(!text.isEmpty());
    }));
}

void reportAlertsToJournal(Alerting& alerting, StderrInteraction& journal)
{
    alerting.add(std::make_unique<ChangeFunction>([&journal](const AlertChange& change) {
        journal.report(QStringLiteral("alert %1 %2: %3")
                           .arg(change.key, change.raised ? QStringLiteral("raised") : QStringLiteral("cleared"),
                                change.message));
    }));
}

}  // namespace corvane
