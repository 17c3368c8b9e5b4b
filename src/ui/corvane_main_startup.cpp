#include "ui/corvane_main.h"

#include "config/config_files.h"
#include "config/config_keys.h"
#include "config/key_policies.h"
#include "platform/files.h"
#include "text/failure.h"
#include "text/numeric_text.h"
#include "text/rounding.h"
#include "ui/corvane_main_texts.h"

#include <QHeaderView>

namespace corvane {
namespace {
constexpr int kTallWindowTwips = 5900;
constexpr int kShortWindowTwips = 5025;
constexpr int kMinIntervalSeconds = 10;
constexpr int kMaxIntervalSeconds = 600;

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void addLiveRow(QTreeWidget* list, const QString& value, const QString& unit)
{
    auto* row = new QTreeWidgetItem(list);
    row->setText(1, value);
    row->setText(2, unit);
    row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
}
}  // namespace

void CorvaneMain::Form_Load()
{
    // Each new start-up begins after the previous attempt has ended, however often the
    // user has to be asked, so the recovery never nests.
    while (!m_stopRequested && !runStartUp())
        promptPortProblem();
}

bool CorvaneMain::runStartUp()
{
    if (m_displayUpdates) {
        setWindowTitle(main_text::waitingCaption);
        Label2->setText(main_text::waitingForData);
        setTextColour(ErrorString, QColor(0, 0, 255));
        ErrorString->setText(main_text::errorTrapStart);
    }
    StopLogging->setEnabled(false);
    loadFlag = 0;
    volts = amps = watts = rpm = wattHours = 0;

    for (const QString& folder : {QStringLiteral("logs"), QStringLiteral("excel"), QStringLiteral("html")})
        createFolder(m_platform.path(folder));  // an existing folder is fine

    try {
        LoadConfiguration();
    } catch (const Failure&) {
        // Start-up goes on with whatever was applied; opening the port tells the rest.
    }

    if (Port == u"0")
        return true;

    try {
        trapMessage = main_text::portNotAvailable;
        openPort();
        trapMessage.clear();
        startConfiguredLogging();
    } catch (const Failure& failure) {
        trapPortFailure(failure);
        return false;
    }
    return true;
}

void CorvaneMain::startConfiguredLogging()
{
    const std::optional<double> seconds = numericValue(delay->text());
    if (numericValue(LogOn) == 1.0 && seconds)
        startLoggingTimer(*seconds);
}

void CorvaneMain::openPort()
{
    qint16 number = 0;
    try {
        number = toInteger16(Port);
    } catch (const Failure& failure) {
        throw PortFailure({PortProblemKind::InvalidNumber, Port}, failure.description());
    }
    MSComm1->setPortNumber(number);
    MSComm1->setSettings(BR + QStringLiteral(",N,8,1"));
    MSComm1->setInputLength(0);
    MSComm1->open();
}

void CorvaneMain::startLoggingTimer(double seconds)
{
    if (seconds > kMaxIntervalSeconds)
        delay->setText(QString::number(kMaxIntervalSeconds));
    if (toNumber(delay->text()) < kMinIntervalSeconds)
        delay->setText(QString::number(kMinIntervalSeconds));
    Timer1.setInterval(toInteger32(toNumber(delay->text()) * 1000));
    setLoggingControls(true);
    Timer1.start();
    announceLogging(true);
}

void CorvaneMain::setLoggingControls(bool on)
{
    delay->setEnabled(!on);
    StartLogging->setEnabled(!on);
    CalibrateButton->setEnabled(!on);
    Setup->setEnabled(!on);
    StopLogging->setEnabled(on);
}

void CorvaneMain::LoadConfiguration()
{
    const QString prog = readWholeFile(m_platform.path(kProgramConfigFile));
    delay->setEnabled(true);
    const auto set = [](QString& field) { return [&field](const QString& value) { field = value; }; };
    applyKeysUpToFirstUnreadable(
        prog, {{prog_key::kPort, set(Port)},
               {prog_key::kBaudRate, set(BR)},
               {prog_key::kSaveHtml, {}},
               {prog_key::kSaveExcel, {}},
               {prog_key::kLogDelay, [this](const QString& value) { delay->setText(value); }},
               {prog_key::kLogOn, set(LogOn)},
               {prog_key::kDisplayRpm, set(DisplayRPM)},
               {prog_key::kDisplayWindSpeed, set(DisplayWS)},
               {prog_key::kWindSpeedUnits, set(WSUnits)},
               {prog_key::kDisplayMessages, [this](const QString& value) { dispMessages = toInteger16(value); }}});
    delay->setEnabled(false);

    if (m_displayUpdates) {
        ListView1->clear();
        ListView1->setColumnCount(0);
        ListView1->setHeaderHidden(true);
    }
    const bool showRpm = toNumber(DisplayRPM) == 1;
    const bool showWindSpeed = toNumber(DisplayWS) == 1;
    if (m_displayUpdates) {
        layOutLiveList(showRpm, showWindSpeed);
        setWindowHeightTwips(dispMessages == 1 ? kTallWindowTwips : kShortWindowTwips);
    }

    const QString calibration = readWholeFile(m_platform.path(kCalibrationFile));
    applyKeysUpToFirstUnreadable(calibration, {{calibration_key::kVoltDivider, set(VoltDivider)},
                                               {calibration_key::kVoltOffset, set(VoltOffset)},
                                               {calibration_key::kAmpDivider, set(AmpDivider)},
                                               {calibration_key::kRpmDivider, set(RPMDivider)},
                                               {calibration_key::kWindSpeedDivider, set(WSDivider)}});
}

void CorvaneMain::layOutLiveList(bool showRpm, bool showWindSpeed)
{
    QFont font = ListView1->font();
    font.setPointSize(24);
    if (showRpm || showWindSpeed)
        font.setPointSize(20);
    if (showRpm && showWindSpeed)
        font.setPointSize(18);
    font.setFamily(QStringLiteral("Arial"));
    ListView1->setFont(font);
    ListView1->clear();
    ListView1->setColumnCount(3);
    // The list's large fonts need a little more room than the rest of the window: its
    // columns keep their proportions at 12 twips per pixel, so a watt-hour total of
    // five digits still fits.
    ListView1->setColumnWidth(0, 1);
    ListView1->setColumnWidth(1, 1500 / 12);
    ListView1->setColumnWidth(2, 2600 / 12);
    for (const QString& unit : {QStringLiteral("Volts"), QStringLiteral("Amps"), QStringLiteral("Watts"),
                                QStringLiteral("WattHours")})
        addLiveRow(ListView1, QStringLiteral("0.0"), unit);
    if (showRpm)
        addLiveRow(ListView1, QStringLiteral("0.0"), QStringLiteral("RPM"));
    if (showWindSpeed)
        addLiveRow(ListView1, QStringLiteral("0.0"), WSUnits);
}

}  // namespace corvane
