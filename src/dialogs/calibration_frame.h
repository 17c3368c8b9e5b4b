#pragma once

#include <QString>
#include <optional>

namespace corvane {

// Takes the whole buffer as one frame as soon as it holds both a "[" and a "]", in any
// order, and empties it; nothing while either is missing (the text waits for more).
// Unlike the main window, the calibration dialog neither limits nor checks the frame.
std::optional<QString> takeCalibrationFrame(QString& buffer);

// The raw readings of a frame as the calibration dialog shows them. Each is the text of
// its tag when that is a number, "0" when it is not, and empty when the pair is missing.
struct CalibrationReadings {
    QString volts;    // <V>
    QString shunt;    // <I>
    QString pulses;   // <R>
    QString pulses2;  // <S>
};

// The text between the first opening tag and the first closing tag after it; empty when
// either is missing. A stray closing tag in front (the tail of a frame the dialog joined
// in the middle) is passed over, so the complete pair behind it is read.
CalibrationReadings calibrationReadings(QStringView frame);

}  // namespace corvane
