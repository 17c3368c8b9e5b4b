#pragma once

#include "platform/platform.h"
#include "platform/port_problem.h"
#include "platform/serial_port.h"
#include "ui/window_subscription.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>
#include <memory>
#include <vector>

namespace corvane {

class Failure;
class WindowEvents;
struct IntervalValues;
struct RawReadings;
enum class WattHourEntry;

// The main window: owns the board's port, the live values, the interval sums and the
// logging timers. Every handler runs on the user-interface thread, one at a time.
class CorvaneMain : public QWidget {
    Q_OBJECT
public:
    // Off for a logger nobody sees (the service): the labels, lamps, caption and live list
    // are neither styled nor updated, so nothing is laid out, shaped or drawn and no font
    // is loaded. Files and events are the same either way; a window merely not shown, as
    // in the tests, keeps its controls up to date.
    enum class DisplayUpdates { On, Off };

    explicit CorvaneMain(const Platform& platform, QWidget* parent = nullptr,
                         DisplayUpdates display = DisplayUpdates::On);
    ~CorvaneMain() override;

    // Start-up; repeats through the port-problem recovery until the port opens or the
    // configuration says there is none.
    void Form_Load();
    // Start-up for a logger nobody watches: logging starts as configured whether or not
    // the port opens, and a port that will not open is tried again every 2 seconds, each
    // distinct failure logged and reported once, instead of asking the user.
    void StartUnattended();
    // The process is asked to end: whatever start-up recovery or dialog is under way
    // ends without asking again, and the timers stop. The port is released with the window.
    void RequestStop();
    // One attempt of the unattended start-up's port retry (portRetry's tick).
    void retryPort();
    // Reads prog.cfg and settings.cfg into the state and lays out the live list.
    // Throws Failure at the failing step; what was applied before stays.
    void LoadConfiguration();
    // Appends an entry for trapMessage to errorlog.txt and shows it in the message area.
    void LogTrappedError();
    void ShowPortProblem();
    // An entry for a condition outside the frame path, such as the broker's: it carries no
    // frame text and leaves the last frame for the next entry.
    void LogOutsideEvent(const QString& message, const QString& reason);

    // A consumer told of accepted and rejected frames, written records, error-log entries
    // and logging switched on or off, for as long as the returned subscription lives.
    [[nodiscard]] WindowSubscription subscribe(WindowEvents& listener);
    // A line of its own in the message area for a consumer's state (a broker, a web page),
    // owned by the window.
    QLabel* addStatusLine(const QString& objectName);

    void MSComm1_OnComm();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    void StartLogging_Click();
    void StopLogging_Click();
    void Check1_Click();
    void Exit_Click();
    void Setup_Click();
    void CalibrateButton_Click();
    void ShowLogs_Click();
    void History_Click();

    bool loggingOn() const { return Timer1.isActive(); }
    bool retryingPort() const { return portRetry.isActive(); }

    // Controls.
    std::unique_ptr<SerialPort> MSComm1;
    QTreeWidget* ListView1 = nullptr;
    QTimer Timer1;
    QTimer Timer2;
    QTimer Timer3;
    QTimer portRetry;
    QLineEdit* delay = nullptr;
    QPushButton* StartLogging = nullptr;
    QPushButton* StopLogging = nullptr;
    QPushButton* Setup = nullptr;
    QPushButton* CalibrateButton = nullptr;
    QPushButton* ShowLogs = nullptr;
    QPushButton* History = nullptr;
    QPushButton* Exit = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* BlinkData = nullptr;
    QPushButton* BlinkLog = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* ErrorString = nullptr;
    QLabel* txtMode = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label1 = nullptr;
    QWidget* messageArea = nullptr;

    // Configuration, as the texts read from the files.
    QString Port;
    QString BR;
    QString LogOn;
    QString DisplayRPM;
    QString DisplayWS;
    QString WSUnits;
    qint16 dispMessages = 0;
    QString VoltDivider;
    QString VoltOffset;
    QString AmpDivider;
    QString RPMDivider;
    QString WSDivider;

    // Receive state.
    QString commBuffer;
    QString lastFrame;
    QString frameText;
    QString trapMessage;

    // Latest values and interval sums.
    double volts = 0;
    double amps = 0;
    double watts = 0;
    double rpm = 0;
    double windSpeed = 0;
    int loadFlag = 0;
    double sumVolts = 0;
    double sumAmps = 0;
    double sumWatts = 0;
    double sumRpm = 0;
    double sumWindSpeed = 0;
    int sampleCount = 0;
    double prevVolts = 0;
    double prevAmps = 0;
    double prevWatts = 0;
    double prevRpm = 0;
    double prevWindSpeed = 0;
    double wattHours = 0;

    // The description of the failure being trapped; empty for conditions found by checks.
    QString pendingErrorText;

private:
    void buildControls();
    void connectHandlers();
    // Start-up steps 1 to 14; false when the port could not be opened (already logged).
    bool runStartUp();
    void openPort();
    void setWindowHeightTwips(int twips);
    void setLamp(QPushButton* lamp, bool lit);
    // Shows the received text or a status in Label2, unless display updates are off.
    void showInLabel2(const QString& text);
    // Lays out the live list's rows for the configured values.
    void layOutLiveList(bool showRpm, bool showWindSpeed);
    // Clamps the interval box to 10..600 and switches logging on with that period.
    void startLoggingTimer(double seconds);
    // The start-up's last step: logging as LogOn and the interval box say.
    void startConfiguredLogging();
    // Traps a failure to open the port and keeps what it says for the port-problem message.
    void trapPortFailure(const Failure& failure);
    QString portProblemMessage() const;
    void setLoggingControls(bool on);
    // Records a trapped failure with the stage text in force.
    void trap(const Failure& failure);
    // The port-problem recovery up to the new start-up: tell the user, offer the setup.
    void promptPortProblem();
    void showProgramSetup();

    // The steps of one receive notification; the checking stages set trapMessage first.
    void rejectBuffer(const QString& message);
    void takeFrameOut();
    // False when the frame was rejected (already logged).
    bool takeFieldsApart(RawReadings& raw);
    void calculateMeasurements(const RawReadings& raw);
    void showLiveValues();

    void resetIntervalSums();
    // Appends one line to a log file; a line that cannot be written is reported with
    // lostMessage and the failure's reason, and the handler carries on.
    // False when the line was not written.
    bool appendLogLineReported(const QString& fileName, const QString& line, const QString& lostMessage);
    void appendWattHourEntry(WattHourEntry kind);

    void announceFrame();
    void announceRecord(const QDateTime& time, const IntervalValues& means);
    void announceErrorEntry(const QString& line);
    void announceRejection();
    void announceLogging(bool on);

    friend class WindowSubscription;
    void addEventListener(WindowEvents* listener);
    void removeEventListener(WindowEvents* listener);

    Platform m_platform;
    std::vector<WindowEvents*> m_listeners;
    PortProblem m_portProblem;
    QString m_portFailure;  // the last port failure's description; the retry reports only changes
    bool m_stopRequested = false;
    const bool m_displayUpdates;
};

}  // namespace corvane
