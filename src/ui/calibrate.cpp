#include "ui/calibrate.h"

#include "config/config_files.h"
#include "config/calibration_config.h"
#include "dialogs/calibration_frame.h"
#include "dialogs/calibration_preview.h"
#include "config/config_reader.h"
#include "platform/files.h"
#include "platform/interaction.h"
#include "text/failure.h"
#include "text/numeric_text.h"
#include "ui/calibrate_texts.h"

namespace corvane {

Calibrate::Calibrate(const Platform& platform, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_writeConfig(replaceFileAtomically)
{
    setObjectName(QStringLiteral("Calibrate"));
    setWindowTitle(calibrate_text::caption);
    MSComm2 = m_platform.makeSerialPort();
    buildControls();
    connect(MSComm2.get(), &SerialPort::received, this, &Calibrate::MSComm2_OnComm);
    connect(Command1, &QPushButton::clicked, this, &Calibrate::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Calibrate::Command2_Click);
    connect(Command6, &QPushButton::clicked, this, &Calibrate::Command6_Click);
}

void Calibrate::Form_Load()
{
    QStringList problems;
    const auto readFile = [&](const QString& name) -> std::optional<QString> {
        try {
            return readWholeFile(m_platform.path(name));
        } catch (const Failure& failure) {
            problems << unreadableFileProblem(name, failure.description());
            return std::nullopt;
        }
    };
    const std::optional<QString> prog = readFile(kProgramConfigFile);
    const std::optional<QString> settings = readFile(kCalibrationFile);
    const CalibrationLoad load = readCalibrationLoad(prog, settings);
    problems += load.problems;
    m_windSpeedUnits = load.windSpeedUnits;
    m_offset = load.values.voltOffset;

    Label23->setText(calibrate_text::pulsesPer + m_windSpeedUnits + u'?');
    const QString portProblem = openPort(load.port, load.baudRate);

    BatteryVolts->setText(load.values.voltDivider);
    BatteryCurrent->setText(load.values.ampDivider);
    OffsetV->setText(m_offset);
    PulseDivider->setText(load.values.rpmDivider);
    Pulse2Divider->setText(load.values.wsDivider);

    QStringList notice;
    if (!problems.isEmpty())
        notice << calibrate_text::loadProblems << problems;
    if (!portProblem.isEmpty())
        notice << portProblem;
    m_notice->setText(notice.join(u'\n'));
    m_notice->setHidden(notice.isEmpty());
}

QString Calibrate::openPort(const QString& port, std::optional<qint32> baudRate)
{
    // Port 0 is how the user says there is no board; that is no fault of the port.
    if (port == u"0")
        return calibrate_text::noPort;
    if (!isNumericText(port) || !baudRate)
        return calibrate_text::noUsablePort;
    try {
        MSComm2->setPortNumber(toInteger16(port));
        MSComm2->setSettings(QString::number(*baudRate) + QStringLiteral(",N,8,1"));
        MSComm2->setInputLength(0);
        MSComm2->open();
    } catch (const Failure& failure) {
        return calibrate_text::portFailed.arg(port, failure.description());
    }
    return QString();
}

void Calibrate::MSComm2_OnComm()
{
    m_buffer += MSComm2->readInput();
    MSComm2->discardInput();
    const std::optional<QString> frame = takeCalibrationFrame(m_buffer);
    if (!frame)
        return;
    const CalibrationInputs inputs{BatteryVolts->text(), BatteryCurrent->text(), m_offset,
                                   PulseDivider->text(), Pulse2Divider->text(), m_windSpeedUnits};
    const CalibrationPreview preview = calibrationPreview(calibrationReadings(*frame), inputs, m_windSpeed);
    m_windSpeed = preview.windSpeed;
    txtBattV->setText(preview.rawVolts);
    txtShuntV->setText(preview.rawShunt);
    txtPulsess->setText(preview.pulses);
    txtWindmillRPM->setText(preview.rpmText);
    txtPulsess2->setText(preview.pulses2);
    txtWindSpeed->setText(preview.windSpeedText);
    if (preview.voltsText)
        txtBattVadjusted->setText(*preview.voltsText);
    if (preview.ampsText)
        txtBattAadjusted->setText(*preview.ampsText);
}

void Calibrate::Command1_Click()
{
    const CalibrationValues values{BatteryVolts->text(), m_offset, BatteryCurrent->text(), PulseDivider->text(),
                                   Pulse2Divider->text()};
    try {
        m_writeConfig(m_platform.path(kCalibrationFile), calibrationConfigText(values));
    } catch (const Failure& failure) {
        // Nothing was replaced; the readings go on and the user can save again.
        m_platform.interaction->message(this, calibrate_text::saveFailed.arg(failure.description()));
        return;
    }
    MSComm2->close();
    accept();
}

void Calibrate::Command2_Click()
{
    m_offset = txtShuntV->text();
    OffsetV->setText(m_offset);
}

void Calibrate::Command6_Click() { reject(); }

void Calibrate::done(int result)
{
    if (MSComm2->isOpen())
        MSComm2->close();
    QDialog::done(result);
}

QString Calibrate::loadNotice() const { return m_notice->isHidden() ? QString() : m_notice->text(); }

}  // namespace corvane
