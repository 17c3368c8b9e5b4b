#include "platform/port_device.h"

#include <QFileInfo>

namespace corvane {

QString portDevicePath(const QString& programFolder, int portNumber)
{
    const QString link = programFolder + QStringLiteral("/COM") + QString::number(portNumber);
    if (QFileInfo(link).exists() || QFileInfo(link).isSymLink())
        return link;
#ifdef Q_OS_WIN
    return QStringLiteral("COM") + QString::number(portNumber);
#else
    return QStringLiteral("/dev/ttyS") + QString::number(portNumber - 1);
#endif
}

int baudRateOf(const QString& settings)
{
    const QStringList parts = settings.split(u',');
    if (parts.size() != 4 || parts[1] != u"N" || parts[2] != u"8" || parts[3] != u"1")
        return 0;
    bool ok = false;
    const int rate = parts[0].trimmed().toInt(&ok);
    return ok && rate > 0 ? rate : 0;
}

}  // namespace corvane
