#include "ui/web_settings_dialog.h"

#include "config/settings_file_form.h"
#include "platform/files.h"
#include "platform/interaction.h"
#include "text/failure.h"
#include "web/page_addresses.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QNetworkInterface>
#include <QVBoxLayout>

namespace corvane {

WebSettingsDialog::WebSettingsDialog(const Platform& platform, QWidget* parent, QList<QHostAddress> localAddresses)
    : QDialog(parent), m_platform(platform), m_localAddresses(std::move(localAddresses))
{
    if (m_localAddresses.isEmpty())
        m_localAddresses = QNetworkInterface::allAddresses();
    setObjectName(QStringLiteral("WebSettings"));
    setWindowTitle(QStringLiteral("Web Settings"));
    buildControls();
    QString text;
    try {
        text = readWholeFile(m_platform.path(kWebConfigFile));
    } catch (const Failure&) {
        // No file yet: the defaults, the page off.
    }
    showConfig(webConfigFromText(text));
    for (QLineEdit* edit : {address, port, certFile, keyFile})
        connect(edit, &QLineEdit::textChanged, this, &WebSettingsDialog::showLinks);
    connect(enabled, &QCheckBox::toggled, this, &WebSettingsDialog::showLinks);
    connect(saveButton, &QPushButton::clicked, this, &WebSettingsDialog::Save_Click);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    showLinks();
}

void WebSettingsDialog::Save_Click()
{
    const WebConfig config = configShown();
    if (const QString problem = webConfigProblem(config); !problem.isEmpty()) {
        m_platform.interaction->message(this, problem + QStringLiteral(". Nothing was saved."));
        return;
    }
    try {
        replaceOwnerOnlyFile(m_platform.path(kWebConfigFile), webConfigText(config));
    } catch (const Failure& failure) {
        m_platform.interaction->message(
            this, QStringLiteral("web.cfg could not be saved (%1). The old file is unchanged.").arg(failure.description()));
        return;
    }
    accept();
}

WebConfig WebSettingsDialog::configShown() const
{
    // Read back through the file's own rule, so that what is shown is what would be saved.
    WebConfig config;
    config.enabled = enabled->isChecked();
    config.address = address->text().trimmed();
    bool ok = false;
    const int number = port->text().trimmed().toInt(&ok);
    config.port = ok && number > 0 && number < 65536 ? number : config.port;
    config.user = user->text();
    config.password = password->text();
    config.certFile = certFile->text().trimmed();
    config.keyFile = keyFile->text().trimmed();
    return webConfigFromText(webConfigText(config));
}

void WebSettingsDialog::showConfig(const WebConfig& config)
{
    enabled->setChecked(config.enabled);
    address->setText(config.address);
    port->setText(QString::number(config.port));
    user->setText(config.user);
    password->setText(config.password);
    certFile->setText(config.certFile);
    keyFile->setText(config.keyFile);
}

void WebSettingsDialog::showLinks()
{
    const WebConfig config = configShown();
    QStringList anchors;
    for (const QString& url : pageAddresses(config, m_localAddresses))
        anchors << QStringLiteral("<a href=\"%1\">%1</a>").arg(url.toHtmlEscaped());
    const QString where = anchors.join(QStringLiteral("<br>"));
    links->setText(config.enabled ? where : QStringLiteral("Off. When on: ") + where);
}

void WebSettingsDialog::buildControls()
{
    enabled = new QCheckBox(QStringLiteral("Serve the page on the network"), this);
    address = new QLineEdit(this);
    address->setPlaceholderText(QStringLiteral("empty: every address; 127.0.0.1: this box only"));
    port = new QLineEdit(this);
    user = new QLineEdit(this);
    password = new QLineEdit(this);
    password->setEchoMode(QLineEdit::Password);
    password->setPlaceholderText(QStringLiteral("empty: no password"));
    certFile = new QLineEdit(this);
    certFile->setPlaceholderText(QStringLiteral("with the key file: HTTPS only"));
    keyFile = new QLineEdit(this);
    links = new QLabel(this);
    links->setObjectName(QStringLiteral("webLinks"));
    links->setTextFormat(Qt::RichText);
    links->setOpenExternalLinks(true);
    links->setTextInteractionFlags(Qt::TextBrowserInteraction);

    auto* form = new QFormLayout;
    form->addRow(enabled);
    form->addRow(QStringLiteral("Address"), address);
    form->addRow(QStringLiteral("Port"), port);
    form->addRow(QStringLiteral("User"), user);
    form->addRow(QStringLiteral("Password"), password);
    form->addRow(QStringLiteral("Certificate file"), certFile);
    form->addRow(QStringLiteral("Key file"), keyFile);
    form->addRow(QStringLiteral("The page"), links);

    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    saveButton = new QPushButton(QStringLiteral("Save"), this);
    saveButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton);
    buttons->addWidget(saveButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

}  // namespace corvane
