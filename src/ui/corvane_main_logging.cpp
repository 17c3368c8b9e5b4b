// The logging tick, the watt-hour tick and the commands that start and stop logging,
// switch the message area and leave the program.
#include "ui/corvane_main.h"

#include "logging/day_file.h"
#include "logging/interval_values.h"
#include "logging/record_line.h"
#include "logging/watt_hours.h"
#include "platform/clock.h"
#include "telemetry/frame_framing.h"
#include "platform/interaction.h"
#include "text/failure.h"
#include "text/numeric_text.h"
#include "ui/corvane_main_texts.h"

namespace corvane {
namespace {
constexpr int kWithMessagesTwips = 5900;
constexpr int kWithoutMessagesTwips = 5050;
}  // namespace

void CorvaneMain::Timer1_Timer()
{
    setLamp(BlinkLog, true);
    Timer2.start();
    // One reading of the clock, so that the record's time and its file's date agree.
    const QDateTime now = m_platform.clock->now();

    IntervalValues means;
    if (sampleCount == 0) {
        means = {prevVolts, prevAmps, prevWatts, prevRpm, prevWindSpeed};
        trapMessage = main_text::noValidData;
        LogTrappedError();
    } else {
        means = intervalMeans({sumVolts, sumAmps, sumWatts, sumRpm, sumWindSpeed}, sampleCount);
    }

    if (appendLogLineReported(dayFilePath(now.date()), recordLine(now.time(), means, loadFlag, wattHours),
                              main_text::recordNotWritten))
        announceRecord(now, means);

    prevVolts = means.volts;
    prevAmps = means.amps;
    prevWatts = means.watts;
    prevRpm = means.rpm;
    prevWindSpeed = means.windSpeed;
    resetIntervalSums();
    // A frame still arriving is kept: cut in two, its tail would meet the next frame as
    // "][" and blame a fault-free line in the error log.
    commBuffer = frameInProgress(commBuffer);
    showInLabel2(main_text::bufferCleared);
}

void CorvaneMain::Timer3_Timer()
{
    if (isDayStart(m_platform.clock->secondsSinceMidnight())) {
        appendWattHourEntry(WattHourEntry::DayStart);
        wattHours = 0;
    }
    wattHours = wattHoursAfterTick(wattHours, watts);
}

void CorvaneMain::StartLogging_Click()
{
    const std::optional<double> seconds = numericValue(delay->text());
    if (!seconds) {
        m_platform.interaction->message(this, main_text::invalidDelay);
        return;
    }
    startLoggingTimer(*seconds);
    // The first record covers exactly the frames received from now on.
    resetIntervalSums();
}

void CorvaneMain::StopLogging_Click()
{
    setLoggingControls(false);
    Timer1.stop();
    announceLogging(false);
}

void CorvaneMain::Check1_Click()
{
    setWindowHeightTwips(Check1->isChecked() ? kWithMessagesTwips : kWithoutMessagesTwips);
}

void CorvaneMain::Exit_Click()
{
    appendWattHourEntry(WattHourEntry::Exit);
    if (MSComm1->isOpen())
        MSComm1->close();
    close();
}

void CorvaneMain::resetIntervalSums()
{
    sumVolts = sumAmps = sumWatts = sumRpm = sumWindSpeed = 0;
    sampleCount = 0;
}

bool CorvaneMain::appendLogLineReported(const QString& fileName, const QString& line,
                                        const QString& lostMessage)
{
    try {
        appendLogLine(m_platform.path(fileName), line);
        return true;
    } catch (const Failure& failure) {
        trapMessage = lostMessage;
        trap(failure);
        return false;
    }
}

void CorvaneMain::appendWattHourEntry(WattHourEntry kind)
{
    const QDateTime now = m_platform.clock->now();
    appendLogLineReported(kWattHoursFile, wattHourEntryLine(kind, now.date(), now.time(), wattHours),
                          main_text::wattHourEntryNotWritten);
}

}  // namespace corvane
