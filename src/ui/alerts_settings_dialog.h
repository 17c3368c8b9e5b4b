#pragma once

#include "alerts/alert_change.h"
#include "config/alerts_config.h"
#include "platform/platform.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace corvane {

// Edits alerts.cfg. Save refuses settings that contradict each other and otherwise writes
// the whole file in one step; the defaults shown are those of the bank chosen in the setup.
// Send test alert runs the Command shown and shows the desktop notification once, with
// the key "test"; it writes nothing to alerts.txt. Takes effect at the next start.
class AlertsSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Sends a test alert with the settings shown (their Command).
    using TestSender = std::function<void(const AlertChange& change, const AlertsConfig& config)>;

    AlertsSettingsDialog(const Platform& platform, int systemVolts, QWidget* parent);

    void Save_Click();
    void Test_Click();
    void Defaults_Click();
    // The settings shown read back through the file's rule, and what contradicts there.
    AlertsConfigReading settingsShown() const;
    void setTestSender(TestSender sender) { m_sendTest = std::move(sender); }

    QCheckBox* enabled = nullptr;
    QLineEdit* low = nullptr;
    QLineEdit* lowClear = nullptr;
    QLineEdit* high = nullptr;
    QLineEdit* highClear = nullptr;
    QLineEdit* delay = nullptr;
    QLineEdit* noData = nullptr;
    QLineEdit* command = nullptr;
    QLabel* defaults = nullptr;
    QPushButton* defaultsButton = nullptr;
    QPushButton* testButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    void buildControls();
    void showConfig(const AlertsConfig& config);

    Platform m_platform;
    int m_systemVolts;
    TestSender m_sendTest;
};

// The key and message of the test alert.
AlertChange testAlert(const QDateTime& now);

}  // namespace corvane
