#include "ui/mqtt_settings_dialog.h"

#include "config/settings_file_form.h"
#include "platform/files.h"
#include "platform/interaction.h"
#include "publish/mqtt_connection.h"
#include "text/failure.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QSysInfo>
#include <QVBoxLayout>

namespace corvane {

MqttSettingsDialog::MqttSettingsDialog(const Platform& platform, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_test([](const MqttConfig& config) {
          return MqttConnection::testConnection(config);
      })
{
    setObjectName(QStringLiteral("MqttSettings"));
    setWindowTitle(QStringLiteral("MQTT Settings"));
    buildControls();
    QString text;
    try {
        text = readWholeFile(m_platform.path(kMqttConfigFile));
    } catch (const Failure&) {
        // No file yet: the defaults, publishing off.
    }
    showConfig(mqttConfigFromText(text, QSysInfo::machineHostName()));
    connect(saveButton, &QPushButton::clicked, this, &MqttSettingsDialog::Save_Click);
    connect(testButton, &QPushButton::clicked, this, &MqttSettingsDialog::Test_Click);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void MqttSettingsDialog::Save_Click()
{
    try {
        replaceOwnerOnlyFile(m_platform.path(kMqttConfigFile), mqttConfigText(configShown()));
    } catch (const Failure& failure) {
        m_platform.interaction->message(
            this, QStringLiteral("mqtt.cfg could not be saved (%1). The old file is unchanged.").arg(failure.description()));
        return;
    }
    accept();
}

void MqttSettingsDialog::Test_Click()
{
    const MqttConfig config = configShown();
    setCursor(Qt::WaitCursor);
    const QString reason = m_test(config);
    unsetCursor();
    m_platform.interaction->message(
        this, reason.isEmpty() ? QStringLiteral("Connected to %1.").arg(brokerName(config))
                               : QStringLiteral("No connection to %1: %2").arg(brokerName(config), reason));
}

MqttConfig MqttSettingsDialog::configShown() const
{
    // Read back through the file's own rule, so that what is tested is what would be saved.
    MqttConfig config;
    config.enabled = enabled->isChecked();
    config.host = host->text().trimmed();
    config.tls = tls->isChecked();
    config.port = mqttPortOr(port->text(), config.tls);
    config.caFile = caFile->text().trimmed();
    config.user = user->text();
    config.password = password->text();
    config.topic = topic->text().trimmed();
    config.discovery = discovery->isChecked();
    config.clientId = clientId->text().trimmed();
    return mqttConfigFromText(mqttConfigText(config), QSysInfo::machineHostName());
}

void MqttSettingsDialog::showConfig(const MqttConfig& config)
{
    enabled->setChecked(config.enabled);
    host->setText(config.host);
    port->setText(QString::number(config.port));
    tls->setChecked(config.tls);
    caFile->setText(config.caFile);
    user->setText(config.user);
    password->setText(config.password);
    topic->setText(config.topic);
    discovery->setChecked(config.discovery);
    clientId->setText(config.clientId);
}

void MqttSettingsDialog::buildControls()
{
    enabled = new QCheckBox(QStringLiteral("Publish to an MQTT broker"), this);
    host = new QLineEdit(this);
    port = new QLineEdit(this);
    tls = new QCheckBox(QStringLiteral("Use TLS"), this);
    caFile = new QLineEdit(this);
    caFile->setPlaceholderText(QStringLiteral("empty: the system's certificates"));
    user = new QLineEdit(this);
    password = new QLineEdit(this);
    password->setEchoMode(QLineEdit::Password);
    topic = new QLineEdit(this);
    discovery = new QCheckBox(QStringLiteral("Home Assistant discovery"), this);
    clientId = new QLineEdit(this);

    auto* form = new QFormLayout;
    form->addRow(enabled);
    form->addRow(QStringLiteral("Broker host"), host);
    form->addRow(QStringLiteral("Port"), port);
    form->addRow(tls);
    form->addRow(QStringLiteral("CA certificate file"), caFile);
    form->addRow(QStringLiteral("User"), user);
    form->addRow(QStringLiteral("Password"), password);
    form->addRow(QStringLiteral("Base topic"), topic);
    form->addRow(discovery);
    form->addRow(QStringLiteral("Client id"), clientId);

    testButton = new QPushButton(QStringLiteral("Test connection"), this);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    saveButton = new QPushButton(QStringLiteral("Save"), this);
    saveButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(testButton);
    buttons->addStretch();
    buttons->addWidget(cancelButton);
    buttons->addWidget(saveButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

}  // namespace corvane
