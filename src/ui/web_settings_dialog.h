#pragma once

#include "config/web_config.h"
#include "platform/platform.h"

#include <QCheckBox>
#include <QDialog>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace corvane {

// Edits web.cfg and shows, as links, the addresses the page will have. Save writes the
// whole file in one step, readable by its owner only because it may hold a password;
// settings that are only half there are refused with the reason. Takes effect at the
// next start.
class WebSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // `localAddresses`: the box's addresses, for the links when Address is empty.
    WebSettingsDialog(const Platform& platform, QWidget* parent, QList<QHostAddress> localAddresses = {});

    void Save_Click();
    WebConfig configShown() const;

    QCheckBox* enabled = nullptr;
    QLineEdit* address = nullptr;
    QLineEdit* port = nullptr;
    QLineEdit* user = nullptr;
    QLineEdit* password = nullptr;
    QLineEdit* certFile = nullptr;
    QLineEdit* keyFile = nullptr;
    QLabel* links = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    void buildControls();
    void showConfig(const WebConfig& config);
    void showLinks();

    Platform m_platform;
    QList<QHostAddress> m_localAddresses;
};

}  // namespace corvane
