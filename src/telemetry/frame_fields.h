#pragma once

#include <QString>

namespace corvane {

// The raw board readings of one frame; 0 for an optional field that is missing or not a
// number.
struct RawReadings {
    double v = 0;
    double i = 0;
    double r = 0;
    double m = 0;
    double s = 0;
};

// What stands between the first <T> and the first </T> of the frame (tag letters matched
// exactly); "" when either tag is missing. A closing tag before its opening tag fails.
QString fieldText(QStringView frameText, QChar tag);

// V and I must carry a reading: an empty text or exactly "0" rejects the frame; the test
// is on the text, so "00" and "0.0" pass.
bool carriesReading(QStringView requiredFieldText);

// True unless the frame carries a numeric <C> that differs from V + I + R + S.
// M is not part of the sum. A reversed <C> pair fails.
bool checksumAgrees(QStringView frameText, const RawReadings& raw);

}  // namespace corvane
