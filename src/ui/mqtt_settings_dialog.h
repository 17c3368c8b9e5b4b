#pragma once

#include "platform/platform.h"
#include "config/mqtt_config.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace corvane {

// Edits mqtt.cfg. Save writes the whole file in one step, readable by its owner only
// because it may hold a password; Test connection tries the settings shown once and
// reports the outcome as a message. Takes effect at the next start.
class MqttSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Connects once with the settings; an empty text on success, else the broker's reason.
    using ConnectionTest = std::function<QString(const MqttConfig&)>;

    MqttSettingsDialog(const Platform& platform, QWidget* parent);

    void Save_Click();
    void Test_Click();
    MqttConfig configShown() const;
    void setConnectionTest(ConnectionTest test) { m_test = std::move(test); }

    QCheckBox* enabled = nullptr;
    QLineEdit* host = nullptr;
    QLineEdit* port = nullptr;
    QCheckBox* tls = nullptr;
    QLineEdit* caFile = nullptr;
    QLineEdit* user = nullptr;
    QLineEdit* password = nullptr;
    QLineEdit* topic = nullptr;
    QCheckBox* discovery = nullptr;
    QLineEdit* clientId = nullptr;
    QPushButton* testButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    void buildControls();
    void showConfig(const MqttConfig& config);

    Platform m_platform;
    ConnectionTest m_test;
};

}  // namespace corvane
