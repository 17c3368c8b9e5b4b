#include "telemetry/frame_fields.h"

#include "text/numeric_text.h"
#include "text/tagged_text.h"

#include <optional>

namespace corvane {

QString fieldText(QStringView frameText, QChar tag)
{
    const QString openTag = u'<' + QString(tag) + u'>';
    const QString closeTag = QStringLiteral("</") + tag + u'>';
    return textBetweenTags(frameText, openTag, closeTag);
}

bool carriesReading(QStringView requiredFieldText)
{
    return !requiredFieldText.isEmpty() && requiredFieldText != u"0";
}

bool checksumAgrees(QStringView frameText, const RawReadings& raw)
{
    const std::optional<double> checksum = numericValue(fieldText(frameText, u'C'));
    if (!checksum)
        return true;
    return *checksum == raw.v + raw.i + raw.r + raw.s;
}

}  // namespace corvane
