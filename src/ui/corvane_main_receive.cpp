// The receive handler: collecting characters into frames, checking and taking a frame
// apart, scaling its readings and showing them.
#include "ui/corvane_main.h"

#include "logging/interval_values.h"
#include "telemetry/frame_fields.h"
#include "telemetry/frame_framing.h"
#include "telemetry/live_display.h"
#include "telemetry/measurement.h"
#include "text/failure.h"
#include "text/numeric_text.h"
#include "ui/corvane_main_texts.h"

namespace corvane {
namespace {

bool sameUnits(const QTreeWidget* list, const QList<LiveRow>& rows)
{
    if (list->topLevelItemCount() != rows.size())
        return false;
    for (qsizetype n = 0; n < rows.size(); ++n) {
        if (list->topLevelItem(static_cast<int>(n))->text(2) != rows[n].unit)
            return false;
    }
    return true;
}

// Rows are rebuilt only when their number or units change; otherwise only the values
// that changed are set, since laying out every row again is most of what a frame costs.
void showLiveRows(QTreeWidget* list, const QList<LiveRow>& rows)
{
    if (!sameUnits(list, rows)) {
        list->clear();
        for (const LiveRow& row : rows) {
            auto* item = new QTreeWidgetItem(list);
            item->setText(1, row.value);
            item->setText(2, row.unit);
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        }
        return;
    }
    for (qsizetype n = 0; n < rows.size(); ++n) {
        QTreeWidgetItem* item = list->topLevelItem(static_cast<int>(n));
        if (item->text(1) != rows[n].value)
            item->setText(1, rows[n].value);
    }
}

}  // namespace

void CorvaneMain::MSComm1_OnComm()
{
    commBuffer += MSComm1->readInput();
    MSComm1->discardInput();

    switch (bufferState(commBuffer)) {
    case BufferState::Incomplete:
        return;
    case BufferState::LongOrJoined:
        rejectBuffer(main_text::longOrJoinedString);
        return;
    case BufferState::BracesReversed:
        rejectBuffer(main_text::bracesWrong);
        return;
    case BufferState::Frame:
        break;
    }

    takeFrameOut();
    try {
        RawReadings raw;
        if (!takeFieldsApart(raw)) {
            announceRejection();
            return;
        }
        calculateMeasurements(raw);
        showLiveValues();
        announceFrame();
    } catch (const Failure& failure) {
        trap(failure);
        commBuffer.clear();
        showInLabel2(main_text::possibleCorruptComms);
        announceRejection();
    }
}

// The damaged text goes, but a frame that has begun to arrive is kept: left in the buffer,
// the damage would make every later notification fail the same way, losing every frame
// until the next logging tick (or for good while logging is off).
void CorvaneMain::rejectBuffer(const QString& message)
{
    trapMessage = message;
    LogTrappedError();
    announceRejection();
    commBuffer = frameInProgress(commBuffer);
}

void CorvaneMain::takeFrameOut()
{
    Timer2.start();
    setLamp(BlinkData, true);
    lastFrame = commBuffer;
    commBuffer.clear();
    loadFlag = 0;
    showInLabel2(lastFrame);
    lastFrame = cutAfterFirstClose(lastFrame);
    frameText = frameFromFirstOpen(lastFrame);
}

bool CorvaneMain::takeFieldsApart(RawReadings& raw)
{
    trapMessage = main_text::corruptVolts;
    const QString voltsText = fieldText(frameText, u'V');
    if (!carriesReading(voltsText)) {
        LogTrappedError();
        return false;
    }
    trapMessage = main_text::corruptAmps;
    const QString ampsText = fieldText(frameText, u'I');
    if (!carriesReading(ampsText)) {
        LogTrappedError();
        return false;
    }
    raw.v = valueOrZero(voltsText);
    raw.i = valueOrZero(ampsText);

    trapMessage = main_text::corruptRevsOrWind;
    raw.r = valueOrZero(fieldText(frameText, u'R'));
    raw.m = valueOrZero(fieldText(frameText, u'M'));
    raw.s = valueOrZero(fieldText(frameText, u'S'));

    trapMessage = main_text::checksumError;
    if (!checksumAgrees(frameText, raw)) {
        LogTrappedError();
        return false;
    }
    return true;
}

void CorvaneMain::calculateMeasurements(const RawReadings& raw)
{
    trapMessage = main_text::calculationsError;
    ++sampleCount;
    volts = voltsFrom(raw.v, VoltDivider);
    amps = ampsFrom(raw.i, VoltOffset, AmpDivider);
    rpm = rpmFrom(raw.r, RPMDivider);
    windSpeed = windSpeedFrom(raw.s, WSDivider);
    watts = wattsFrom(amps, volts);
    // Added only now, so that a failing calculation leaves the sums untouched.
    if (loggingOn()) {
        const IntervalValues sums = sumsWithFrame({sumVolts, sumAmps, sumWatts, sumRpm, sumWindSpeed},
                                                  {volts, amps, watts, rpm, windSpeed});
        sumVolts = sums.volts;
        sumAmps = sums.amps;
        sumWatts = sums.watts;
        sumRpm = sums.rpm;
        sumWindSpeed = sums.windSpeed;
    }
}

void CorvaneMain::showLiveValues()
{
    trapMessage = main_text::displayListError;
    // The rows are worked out before the list is touched, so a failure leaves it whole.
    const QList<LiveRow> rows =
        liveRows({volts, amps, watts, wattHours, rpm, windSpeed}, DisplayRPM, DisplayWS, WSUnits);
    trapMessage.clear();
    if (!m_displayUpdates)
        return;
    showLiveRows(ListView1, rows);
    setWindowTitle(liveCaption(volts, amps, watts));
    txtMode->setText(QString());
}

}  // namespace corvane
