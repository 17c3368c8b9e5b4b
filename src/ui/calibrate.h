#pragma once

#include "config/config_writer.h"
#include "platform/platform.h"
#include "platform/serial_port.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <optional>

namespace corvane {

// The modal dialog that sets the five calibration values against live unscaled readings
// on its own port. Editing and saving work without the port; settings.cfg is replaced
// whole or not at all.
class Calibrate : public QDialog {
    Q_OBJECT
public:
    Calibrate(const Platform& platform, QWidget* parent);

    // Reads both files, opens MSComm2 and fills the controls; runs once per opening.
    void Form_Load();
    // Collects the port's input; a complete frame refreshes the readings and previews.
    void MSComm2_OnComm();
    // "Save Calibration": write settings.cfg, close the port, close.
    void Command1_Click();
    // "Zero": the shunt reading as shown becomes the offset.
    void Command2_Click();
    // "Exit ( dont save )".
    void Command6_Click();

    void setConfigWriter(ConfigWriter writer) { m_writeConfig = std::move(writer); }
    // What the opening could not read or open, as shown above the buttons.
    QString loadNotice() const;
    const QString& receiveBuffer() const { return m_buffer; }
    const QString& offset() const { return m_offset; }

    // Closing by any means closes the dialog's port, so the main window can have it.
    void done(int result) override;

    QLabel* txtBattV = nullptr;
    QLineEdit* BatteryVolts = nullptr;
    QLabel* txtBattVadjusted = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* OffsetV = nullptr;
    QLabel* txtShuntV = nullptr;
    QLineEdit* BatteryCurrent = nullptr;
    QLabel* txtBattAadjusted = nullptr;
    QLabel* txtPulsess = nullptr;
    QLineEdit* PulseDivider = nullptr;
    QLabel* txtWindmillRPM = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* txtPulsess2 = nullptr;
    QLineEdit* Pulse2Divider = nullptr;
    QLabel* txtWindSpeed = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command6 = nullptr;
    std::unique_ptr<SerialPort> MSComm2;

private:
    void buildControls();
    // Opens MSComm2 as prog.cfg says; returns why there are no live readings, or "".
    QString openPort(const QString& port, std::optional<qint32> baudRate);

    Platform m_platform;
    ConfigWriter m_writeConfig;
    QLabel* m_notice = nullptr;
    QString m_windSpeedUnits;
    QString m_offset = QStringLiteral("0");
    QString m_buffer;
    double m_windSpeed = 0;
};

}  // namespace corvane
