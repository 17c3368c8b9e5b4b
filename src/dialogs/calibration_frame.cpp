#include "dialogs/calibration_frame.h"

#include "text/numeric_text.h"

namespace corvane {
namespace {

QString tagText(QStringView frame, QChar tag)
{
    const QString open = u'<' + QString(tag) + u'>';
    const QString close = QStringLiteral("</") + tag + u'>';
    const qsizetype start = frame.indexOf(open);
    if (start < 0)
        return QString();
    const qsizetype valueStart = start + open.size();
    const qsizetype end = frame.indexOf(close, valueStart);
    if (end < 0)
        return QString();
    return frame.mid(valueStart, end - valueStart).toString();
}

QString reading(QStringView frame, QChar tag)
{
    const QString text = tagText(frame, tag);
    if (text.isEmpty() || isNumericText(text))
        return text;
    return QStringLiteral("0");
}

}  // namespace

std::optional<QString> takeCalibrationFrame(QString& buffer)
{
    if (!buffer.contains(u'[') || !buffer.contains(u']'))
        return std::nullopt;
    QString frame;
    frame.swap(buffer);
    return frame;
}

CalibrationReadings calibrationReadings(QStringView frame)
{
    return CalibrationReadings{reading(frame, u'V'), reading(frame, u'I'), reading(frame, u'R'), reading(frame, u'S')};
}

}  // namespace corvane
