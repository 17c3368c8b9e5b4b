#include "ui/alerts_settings_dialog.h"

#include "alerts/command_runner.h"
#include "alerts/desktop_notifier.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/interaction.h"
#include "text/failure.h"
#include "text/number_format.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPointer>
#include <QVBoxLayout>

namespace corvane {
namespace {

QString numberText(const std::optional<double>& value) { return value ? generalNumberText(*value) : QString(); }

QString tagLine(const QString& key, const QString& value)
{
    return u'<' + key + u'>' + value + QStringLiteral("</") + key + QStringLiteral(">\r\n");
}

// The desktop and the Command, once. The command runner lives on until its program has
// ended, even when the dialog closes first, so that a slow command is not cut short.
void sendToDestinations(const AlertChange& change, const AlertsConfig& config, Interaction* interaction)
{
    if (std::unique_ptr<DesktopNotifier> desktop = DesktopNotifier::onSessionBus())
        desktop->alertChanged(change);
    if (config.command.isEmpty())
        return;
    auto* runner = new CommandRunner(config.command, [interaction](const QString& message, const QString& reason) {
        interaction->message(nullptr, QStringLiteral("Test alert: %1 (%2)").arg(message, reason));
    });
    runner->setParent(QCoreApplication::instance());
    QObject::connect(runner, &CommandRunner::idle, runner, &QObject::deleteLater);
    runner->alertChanged(change);
}

}  // namespace

AlertChange testAlert(const QDateTime& now)
{
    return AlertChange{QStringLiteral("test"), true, now,
                       QStringLiteral("test alert from the Alert Settings dialog"), std::nullopt};
}

AlertsSettingsDialog::AlertsSettingsDialog(const Platform& platform, int systemVolts, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_systemVolts(systemVolts)
{
    Interaction* interaction = m_platform.interaction;
    m_sendTest = [interaction](const AlertChange& change, const AlertsConfig& config) {
        sendToDestinations(change, config, interaction);
    };
    setObjectName(QStringLiteral("AlertSettings"));
    setWindowTitle(QStringLiteral("Alert Settings"));
    buildControls();
    QString text;
    try {
        text = readWholeFile(m_platform.path(kAlertsConfigFile));
    } catch (const Failure&) {
        // No file yet: every default, alerts on.
    }
    showConfig(readAlertsConfig(text, m_systemVolts).written);
    connect(saveButton, &QPushButton::clicked, this, &AlertsSettingsDialog::Save_Click);
    connect(testButton, &QPushButton::clicked, this, &AlertsSettingsDialog::Test_Click);
    connect(defaultsButton, &QPushButton::clicked, this, &AlertsSettingsDialog::Defaults_Click);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

AlertsConfigReading AlertsSettingsDialog::settingsShown() const
{
    // Through the file's own rule, so that what is checked is what the next start reads.
    const QString text = QStringLiteral("Alert Settings\r\n\r\n")
                         + tagLine(QStringLiteral("Enabled"), enabled->isChecked() ? QStringLiteral("1") : QStringLiteral("0"))
                         + tagLine(QStringLiteral("Low"), low->text()) + tagLine(QStringLiteral("LowClear"), lowClear->text())
                         + tagLine(QStringLiteral("High"), high->text())
                         + tagLine(QStringLiteral("HighClear"), highClear->text())
                         + tagLine(QStringLiteral("Delay"), delay->text()) + tagLine(QStringLiteral("NoData"), noData->text())
                         + tagLine(QStringLiteral("Command"), command->text());
    return readAlertsConfig(text, m_systemVolts);
}

void AlertsSettingsDialog::Save_Click()
{
    const AlertsConfigReading reading = settingsShown();
    if (!reading.problems.isEmpty()) {
        m_platform.interaction->message(
            this, QStringLiteral("These settings contradict each other and were not saved:\n") + reading.problems.join(u'\n'));
        return;
    }
    try {
        replaceFileAtomically(m_platform.path(kAlertsConfigFile), alertsConfigText(reading.written));
    } catch (const Failure& failure) {
        m_platform.interaction->message(
            this, QStringLiteral("alerts.cfg could not be saved (%1). The old file is unchanged.").arg(failure.description()));
        return;
    }
    accept();
}

void AlertsSettingsDialog::Test_Click()
{
    if (m_sendTest)
        m_sendTest(testAlert(m_platform.clock->now()), settingsShown().written);
}

void AlertsSettingsDialog::Defaults_Click()
{
    AlertsConfig config = defaultAlertsConfig(m_systemVolts);
    config.enabled = enabled->isChecked();
    config.command = command->text().trimmed();
    showConfig(config);
}

void AlertsSettingsDialog::showConfig(const AlertsConfig& config)
{
    enabled->setChecked(config.enabled);
    low->setText(numberText(config.low));
    lowClear->setText(numberText(config.lowClear));
    high->setText(numberText(config.high));
    highClear->setText(numberText(config.highClear));
    delay->setText(numberText(config.delaySeconds));
    noData->setText(numberText(config.noDataSeconds));
    command->setText(config.command);
}

void AlertsSettingsDialog::buildControls()
{
    enabled = new QCheckBox(QStringLiteral("Raise alerts"), this);
    low = new QLineEdit(this);
    lowClear = new QLineEdit(this);
    high = new QLineEdit(this);
    highClear = new QLineEdit(this);
    delay = new QLineEdit(this);
    noData = new QLineEdit(this);
    command = new QLineEdit(this);
    command->setPlaceholderText(QStringLiteral("empty: no command"));
    for (QLineEdit* off : {low, high, noData})
        off->setPlaceholderText(QStringLiteral("empty: this alert off"));

    const AlertsConfig bank = defaultAlertsConfig(m_systemVolts);
    defaults = new QLabel(QStringLiteral("Defaults for a %1 V bank: Low %2, LowClear %3, High %4, HighClear %5, "
                                         "Delay %6 s, NoData %7 s")
                              .arg(QString::number(m_systemVolts), numberText(bank.low), numberText(bank.lowClear),
                                   numberText(bank.high), numberText(bank.highClear), numberText(bank.delaySeconds),
                                   numberText(bank.noDataSeconds)),
                          this);
    defaults->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(enabled);
    form->addRow(QStringLiteral("Battery low below (V)"), low);
    form->addRow(QStringLiteral("Clears at or above (V)"), lowClear);
    form->addRow(QStringLiteral("Battery high above (V)"), high);
    form->addRow(QStringLiteral("Clears at or below (V)"), highClear);
    form->addRow(QStringLiteral("Held for (s)"), delay);
    form->addRow(QStringLiteral("No data after (s)"), noData);
    form->addRow(QStringLiteral("Command"), command);
    form->addRow(defaults);

    defaultsButton = new QPushButton(QStringLiteral("Defaults"), this);
    testButton = new QPushButton(QStringLiteral("Send test alert"), this);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    saveButton = new QPushButton(QStringLiteral("Save"), this);
    saveButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaultsButton);
    buttons->addWidget(testButton);
    buttons->addStretch();
    buttons->addWidget(cancelButton);
    buttons->addWidget(saveButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

}  // namespace corvane
