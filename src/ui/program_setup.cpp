#include "ui/program_setup.h"

#include "config/config_files.h"
#include "config/config_reader.h"
#include "platform/files.h"
#include "platform/interaction.h"
#include "text/failure.h"
#include "text/numeric_text.h"
#include "ui/alerts_settings_dialog.h"
#include "ui/mqtt_settings_dialog.h"
#include "ui/web_settings_dialog.h"
#include "ui/program_setup_texts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace corvane {
namespace {

template <std::size_t N>
int chosenValue(const std::array<QRadioButton*, N>& options, const std::array<int, N>& values)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (options[i]->isChecked())
            return values[i];
    }
    return values[1];  // unreachable while one option of each group is selected
}

template <std::size_t N>
void choose(const std::array<QRadioButton*, N>& options, const std::array<int, N>& values, int value)
{
    const auto match = std::find(values.begin(), values.end(), value);
    if (match != values.end())
        options[match - values.begin()]->setChecked(true);
}

}  // namespace

ProgramSetup::ProgramSetup(const Platform& platform, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_writeConfig(replaceFileAtomically)
{
    setObjectName(QStringLiteral("ProgramSetup"));
    setWindowTitle(setup_text::caption);
    buildControls();
    connect(Command1, &QPushButton::clicked, this, &ProgramSetup::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ProgramSetup::Command2_Click);
}

void ProgramSetup::Form_Load()
{
    try {
        const ProgramConfigReading reading = readProgramConfig(readWholeFile(m_platform.path(kProgramConfigFile)));
        showConfig(reading.config);
        showLoadProblems(reading.problems);
    } catch (const Failure& failure) {
        showConfig(ProgramConfig{});
        showLoadProblems({unreadableFileProblem(kProgramConfigFile, failure.description())});
    }
}

void ProgramSetup::Command1_Click()
{
    const ProgramConfig config = configShown();
    if (!isNumericText(PortNumber->text())) {
        m_platform.interaction->message(this, setup_text::badPortNumber);
        return;
    }
    try {
        m_writeConfig(m_platform.path(kProgramConfigFile), programConfigText(config));
    } catch (const Failure& failure) {
        // Nothing was replaced; the user can correct the cause and save again.
        m_platform.interaction->message(this, setup_text::saveFailed.arg(failure.description()));
        return;
    }
    accept();
}

void ProgramSetup::Command2_Click()
{
    PortNumber->setText(QStringLiteral("0"));
    Command1_Click();
}

QString ProgramSetup::loadNotice() const { return m_notice->isHidden() ? QString() : m_notice->text(); }

void ProgramSetup::showConfig(const ProgramConfig& config)
{
    PortNumber->setText(config.port);
    Savehtml->setChecked(config.saveHtml);
    SaveExcel->setChecked(config.saveExcel);
    LogDelay->setText(config.logDelay);
    LogOn->setChecked(config.logOn);
    DisplayRPM->setChecked(config.displayRpm);
    DisplayWS->setChecked(config.displayWindSpeed);
    WSUnits->setText(config.windSpeedUnits);
    choose(m_voltOptions, kSystemVoltChoices, config.systemVolts);
    choose(m_ampOptions, kMaxAmpChoices, config.maxAmps);
    choose(m_baudOptions, kBaudRateChoices, config.baudRate);
    DisplayMessages->setChecked(config.displayMessages);
}

ProgramConfig ProgramSetup::configShown() const
{
    ProgramConfig config;
    config.systemVolts = chosenValue(m_voltOptions, kSystemVoltChoices);
    config.maxAmps = chosenValue(m_ampOptions, kMaxAmpChoices);
    config.baudRate = chosenValue(m_baudOptions, kBaudRateChoices);
    config.port = PortNumber->text();
    config.saveHtml = Savehtml->isChecked();
    config.saveExcel = SaveExcel->isChecked();
    config.logDelay = LogDelay->text();
    config.logOn = LogOn->isChecked();
    config.displayRpm = DisplayRPM->isChecked();
    config.displayWindSpeed = DisplayWS->isChecked();
    config.windSpeedUnits = WSUnits->text();
    config.displayMessages = DisplayMessages->isChecked();
    return config;
}

void ProgramSetup::showLoadProblems(const QStringList& problems)
{
    m_notice->setText(setup_text::loadProblems + u'\n' + problems.join(u'\n'));
    m_notice->setHidden(problems.isEmpty());
}

void ProgramSetup::buildControls()
{
    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const QString& caption, QWidget* control, const QString& note = QString()) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(control);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
        if (!note.isEmpty())
            grid->addWidget(new QLabel(note, this), row, 2);
        ++row;
    };
    PortNumber = new QLineEdit(this);
    Savehtml = new QCheckBox(this);
    SaveExcel = new QCheckBox(this);
    LogDelay = new QLineEdit(this);
    LogOn = new QCheckBox(this);
    DisplayRPM = new QCheckBox(this);
    DisplayMessages = new QCheckBox(this);
    DisplayWS = new QCheckBox(this);
    WSUnits = new QLineEdit(this);
    for (QLineEdit* box : {PortNumber, LogDelay, WSUnits})
        box->setFixedWidth(80);
    addRow(setup_text::comPort, PortNumber);
    addRow(setup_text::saveHtml, Savehtml, setup_text::savedToHtml);
    addRow(setup_text::saveExcel, SaveExcel, setup_text::savedToExcel);
    addRow(setup_text::logDelay, LogDelay, setup_text::logDelayUnit);
    addRow(setup_text::logOn, LogOn);
    addRow(setup_text::displayRpm, DisplayRPM);
    addRow(setup_text::displayMessages, DisplayMessages);
    addRow(setup_text::displayWs, DisplayWS);
    addRow(setup_text::wsUnits, WSUnits);
    grid->setColumnStretch(3, 1);

    const auto group = [this](const QString& caption, std::initializer_list<QRadioButton**> options,
                              QStringList captions) {
        auto* box = new QGroupBox(caption, this);
        auto* column = new QVBoxLayout(box);
        int i = 0;
        for (QRadioButton** option : options) {
            *option = new QRadioButton(captions.at(i++), box);
            column->addWidget(*option);
        }
        column->addStretch();
        return box;
    };
    const auto texts = [](std::initializer_list<const char*> captions) {
        QStringList list;
        for (const char* caption : captions)
            list << QString::fromLatin1(caption);
        return list;
    };
    Frame2 = group(setup_text::systemVoltage, {&Option1, &Option2, &Option3}, texts({"12", "24", "48"}));
    Frame1 = group(setup_text::maxSystemAmps, {&Option4, &Option5, &Option6}, texts({"10", "20", "50"}));
    Frame3 = group(setup_text::baudRate, {&Option7, &Option8, &Option9, &Option10},
                   texts({"2400", "4800", "9600"}) << setup_text::baud57600);
    m_voltOptions = {Option1, Option2, Option3};
    m_ampOptions = {Option4, Option5, Option6};
    m_baudOptions = {Option7, Option8, Option9, Option10};
    Option2->setChecked(true);
    Option5->setChecked(true);
    Option8->setChecked(true);

    auto* groups = new QHBoxLayout;
    groups->addWidget(Frame2);
    groups->addWidget(Frame1);
    groups->addWidget(Frame3);

    m_notice = new QLabel(this);
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("color: rgb(170, 0, 0);"));
    m_notice->hide();

    Command2 = new QPushButton(setup_text::abort, this);
    Command1 = new QPushButton(setup_text::save, this);
    Command1->setDefault(true);
    // Publishing has its own file and dialog; it changes nothing in prog.cfg.
    mqttButton = new QPushButton(setup_text::mqtt, this);
    connect(mqttButton, &QPushButton::clicked, this, [this] {
        MqttSettingsDialog dialog(m_platform, this);
        m_platform.interaction->showModal(dialog);
    });
    // So do the alerts; their defaults follow the bank chosen here, saved or not.
    alertsButton = new QPushButton(setup_text::alerts, this);
    connect(alertsButton, &QPushButton::clicked, this, [this] {
        AlertsSettingsDialog dialog(m_platform, chosenValue(m_voltOptions, kSystemVoltChoices), this);
        m_platform.interaction->showModal(dialog);
    });
    // The page too.
    webButton = new QPushButton(setup_text::web, this);
    connect(webButton, &QPushButton::clicked, this, [this] {
        WebSettingsDialog dialog(m_platform, this);
        m_platform.interaction->showModal(dialog);
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mqttButton);
    buttons->addWidget(webButton);
    buttons->addWidget(alertsButton);
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(groups);
    layout->addWidget(m_notice);
    layout->addLayout(buttons);
}

}  // namespace corvane
