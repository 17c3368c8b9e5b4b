#pragma once

#include "alerts/alert_monitor.h"
#include "alerts/alert_sink.h"
#include "config/alerts_config.h"
#include "ui/window_subscription.h"

#include <QTimer>
#include <memory>
#include <vector>

namespace corvane {

class CorvaneMain;
class StderrInteraction;
struct Platform;

// The alerts of alerts.cfg attached to a window: its accepted frames and a one-second tick
// decide them, and each raise and clear goes to alerts.txt and to the destinations added.
// The tick and the subscription end before the monitor, and the monitor before its
// destinations, so no change reaches a destination that is going.
struct Alerting {
    AlertsConfig config;
    std::vector<std::unique_ptr<AlertSink>> destinations;
    std::unique_ptr<AlertMonitor> monitor;
    WindowSubscription subscription;
    QTimer tick;

    // A destination owned here.
    void add(std::unique_ptr<AlertSink> destination);
    // A destination owned elsewhere that must first know every alert's state (a broker
    // that publishes them all at each connection); it must outlive this object's use.
    void attach(AlertSink& destination);
};

// Alerting as alerts.cfg in the program folder says, with the system voltage of prog.cfg
// for the defaults; a missing file means every default. A contradiction in the file gives
// an error-log entry and that alert stays off. Nothing when alerts are switched off.
std::unique_ptr<Alerting> startAlerting(CorvaneMain& window, const Platform& platform);

// The window's destinations: a desktop notification when a session bus is there, and the
// raised alerts listed in red in the message area until they clear.
void showAlertsInWindow(Alerting& alerting, CorvaneMain& window);

// The service's destination: one dated line on standard error for the journal.
void reportAlertsToJournal(Alerting& alerting, StderrInteraction& journal);

}  // namespace corvane
