// The main window's receive path over arbitrary bytes in arbitrary chunks, with logging on
// and the logging and watt-hour ticks falling wherever the input says. After every step the
// latest values and the sums are finite, the receive buffer keeps within its limit, every
// log file is made of whole CR LF lines, and each logging tick has added one record.
//
// The input: one byte of options (which calibration values and display options come from
// the input), those texts, then steps. A step's first byte picks it: a chunk of the next
// bytes (its length from the step byte or the byte after it), a logging tick, a watt-hour
// tick, the clock moving on or to just after midnight, logging stopped or started again.
#include "fuzz_app.h"
#include "fuzz_input.h"
#include "log_file_checks.h"
#include "logging/day_file.h"
#include "logging/error_log_entry.h"
#include "logging/watt_hours.h"
#include "telemetry/frame_framing.h"
#include "testing/fake_clock.h"
#include "testing/fake_serial_port.h"
#include "testing/scripted_interaction.h"
#include "ui/corvane_main.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <map>
#include <memory>

namespace {
using namespace corvane;
using fuzz::FuzzInput;
using fuzz::require;
using fuzz::tagged;
using fuzz::writeFile;

using fuzz::kCalibration;
constexpr int kLongestOption = 12;
// Log files are emptied beyond this, so a long run stays fast.
constexpr qint64 kLargestLogFile = 16 * 1024;
constexpr int kStepsPerLogCheck = 16;

// Port 1 opens the fake port; logging is started by command, not at start-up.
QByteArray progConfig(const QByteArray& displayRpm, const QByteArray& displayWs)
{
    return "Program Config File\r\n\r\n" + tagged("Port", "1") + tagged("Savehtml", "0")
           + tagged("SaveExcel", "0") + tagged("LogDelay", "10") + tagged("LogOn", "0")
           + tagged("DisplayRPM", displayRpm) + tagged("DisplayWS", displayWs) + tagged("WSUnits", "km/h")
           + tagged("SV", "24") + tagged("MA", "20") + tagged("BR", "4800") + tagged("dispMessages", "1");
}

void writeConfiguration(const Platform& platform, FuzzInput& input)
{
    const uint8_t options = input.byte();
    QByteArray settings = "Calibration Settings\r\n\r\n\r\n";
    for (int i = 0; i < 5; ++i) {
        const bool fromInput = options & (1u << i);
        settings += tagged(kCalibration[i].key,
                           fromInput ? input.bytes(input.byte() % (kLongestOption + 1)) : QByteArray(kCalibration[i].usual));
    }
    QByteArray displayRpm = (options & 0x20) ? "1" : "0";
    QByteArray displayWs = (options & 0x40) ? "1" : "0";
    if (options & 0x80) {
        displayRpm = input.bytes(input.byte() % 4);
        displayWs = input.bytes(input.byte() % 4);
    }
    writeFile(platform.path(QStringLiteral("prog.cfg")), progConfig(displayRpm, displayWs));
    writeFile(platform.path(QStringLiteral("settings.cfg")), settings);
}

class ReceiveRun {
public:
    ReceiveRun()
        : m_platform{fuzz::programFolder(), &m_clock, &m_user, [this] {
                         auto port = std::make_unique<FakeSerialPort>();
                         m_port = port.get();
                         return port;
                     }}
    {
        // Each run starts without logs; start-up makes the folder again.
        QFile::remove(m_platform.path(kErrorLogFile));
        QDir(m_platform.path(kLogsFolder)).removeRecursively();
    }

    void start(FuzzInput& input)
    {
        writeConfiguration(m_platform, input);
        m_window = std::make_unique<CorvaneMain>(m_platform);
        m_window->Form_Load();
        require(m_port != nullptr && m_port->isOpen(), "start-up opens the configured port");
        m_window->StartLogging_Click();
        require(m_window->loggingOn(), "logging starts");
    }

    void step(FuzzInput& input)
    {
        const uint8_t kind = input.byte();
        const int detail = kind >> 3;
        switch (kind & 7) {
        case 0: case 1: case 2: case 3: case 4:
            m_port->deliver(input.text(detail));
            break;
        case 5:
            m_port->deliver(input.text(input.byte()));
            break;
        case 6:
            loggingTick();
            break;
        default:
            otherEvent(detail, input);
            break;
        }
        checkValues();
        // The files keep what was appended, so looking every few steps finds the same faults.
        if (++m_steps % kStepsPerLogCheck == 0)
            checkLogs();
    }

    void finish() { checkLogs(); }

private:
    void loggingTick()
    {
        if (!m_window->loggingOn())
            return;  // the timer only fires while logging is on
        const QString path = m_platform.path(dayFilePath(m_clock.now().date()));
        ++m_dayFiles.try_emplace(path, DayFile{{path, "every record is one whole CR LF line"}}).first->second.records;
        m_window->Timer1_Timer();
    }

    void otherEvent(int detail, FuzzInput& input)
    {
        switch (detail % 6) {
        case 0:
            m_clock.advanceSeconds(input.byte() * 7);
            break;
        case 1:
            m_clock.set(QDateTime(m_clock.now().date().addDays(1), QTime(0, 0, input.byte() % 12)));
            break;
        case 2:
            if (m_window->loggingOn())
                m_window->StopLogging_Click();
            else
                m_window->StartLogging_Click();
            break;
        case 3:
            m_window->Timer2_Timer();
            break;
        default:
            m_window->Timer3_Timer();
            break;
        }
    }

    void checkValues() const
    {
        const CorvaneMain& w = *m_window;
        for (double value : {w.volts, w.amps, w.watts, w.rpm, w.windSpeed, w.sumVolts, w.sumAmps, w.sumWatts,
                             w.sumRpm, w.sumWindSpeed, w.prevVolts, w.prevAmps, w.prevWatts, w.prevRpm,
                             w.prevWindSpeed, w.wattHours})
            require(std::isfinite(value), "every value, sum and total is finite");
        require(w.commBuffer.size() <= kMaxBufferLength, "the receive buffer keeps within its limit");
        require(w.sampleCount >= 0, "the frame count never goes below 0");
    }

    void checkLogs()
    {
        for (const QByteArray& line : m_errorLog.newLines())
            require(fuzz::startsWithDateAndTime(line) && line.contains(" <RB>  <IM> "),
                    "every error-log line is an entry");
        m_errorLog.removeIfLarger(kLargestLogFile);

        for (const QByteArray& line : m_wattHours.newLines())
            require(line.endsWith(" Wh"), "every watt-hour line is an entry");
        m_wattHours.removeIfLarger(kLargestLogFile);

        for (auto& [path, day] : m_dayFiles) {
            for (const QByteArray& line : day.watch.newLines())
                require(line.startsWith("<T>") && line.endsWith("Wh"), "every record is a record line");
            require(day.watch.lineCount() == day.records, "each logging tick adds one record");
            if (day.watch.removeIfLarger(kLargestLogFile))
                day.records = 0;
        }
    }

    struct DayFile {
        fuzz::LogFileWatch watch;
        int records = 0;  // written since the file was last emptied
    };

    FakeClock m_clock;
    ScriptedInteraction m_user;
    FakeSerialPort* m_port = nullptr;
    Platform m_platform;
    std::unique_ptr<CorvaneMain> m_window;
    fuzz::LogFileWatch m_errorLog{m_platform.path(kErrorLogFile), "every error-log line is one whole CR LF line"};
    fuzz::LogFileWatch m_wattHours{m_platform.path(kWattHoursFile), "every watt-hour line is one whole CR LF line"};
    std::map<QString, DayFile> m_dayFiles;
    int m_steps = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::application();
    FuzzInput input(data, size);
    ReceiveRun run;
    run.start(input);
    while (!input.atEnd())
        run.step(input);
    run.finish();
    return 0;
}
