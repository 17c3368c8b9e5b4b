#pragma once

#include "config/config_writer.h"
#include "config/program_config.h"
#include "platform/platform.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace corvane {

// The modal dialog that edits prog.cfg. It opens with whatever could be read and says
// what could not; Save refuses a port text that is not a number; the file is replaced
// whole or not at all.
class ProgramSetup : public QDialog {
    Q_OBJECT
public:
    ProgramSetup(const Platform& platform, QWidget* parent);

    // Fills the controls from prog.cfg; runs once per opening.
    void Form_Load();
    // "Save Setings": validate, write prog.cfg, close.
    void Command1_Click();
    // "Abort": port 0, then exactly what Save does.
    void Command2_Click();

    // Replaces how the file is put in place (tests interrupt the replacement).
    void setConfigWriter(ConfigWriter writer) { m_writeConfig = std::move(writer); }
    // What the opening could not read, as shown above the buttons; empty when all was read.
    QString loadNotice() const;

    QLineEdit* PortNumber = nullptr;
    QCheckBox* Savehtml = nullptr;
    QCheckBox* SaveExcel = nullptr;
    QLineEdit* LogDelay = nullptr;
    QCheckBox* LogOn = nullptr;
    QCheckBox* DisplayRPM = nullptr;
    QCheckBox* DisplayMessages = nullptr;
    QCheckBox* DisplayWS = nullptr;
    QLineEdit* WSUnits = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option4 = nullptr;
    QRadioButton* Option5 = nullptr;
    QRadioButton* Option6 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* Option7 = nullptr;
    QRadioButton* Option8 = nullptr;
    QRadioButton* Option9 = nullptr;
    QRadioButton* Option10 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* mqttButton = nullptr;
    QPushButton* alertsButton = nullptr;
    QPushButton* webButton = nullptr;

private:
    void buildControls();
    void showConfig(const ProgramConfig& config);
    ProgramConfig configShown() const;
    void showLoadProblems(const QStringList& problems);

    Platform m_platform;
    ConfigWriter m_writeConfig;
    QLabel* m_notice = nullptr;
    // The option buttons of each group, in the order of their values.
    std::array<QRadioButton*, 3> m_voltOptions{};
    std::array<QRadioButton*, 3> m_ampOptions{};
    std::array<QRadioButton*, 4> m_baudOptions{};
};

}  // namespace corvane
