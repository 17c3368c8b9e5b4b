#include "support/config_text.h"

namespace corvane::test {
namespace {
QString line(const QString& key, const QString& value)
{
    return u'<' + key + u'>' + value + QStringLiteral("</") + key + QStringLiteral(">\r\n");
}
}  // namespace

QByteArray ProgConfig::text() const
{
    QString t = QStringLiteral("Program Config File\r\n\r\n");
    t += line(QStringLiteral("Port"), Port);
    t += line(QStringLiteral("Savehtml"), Savehtml);
    t += line(QStringLiteral("SaveExcel"), SaveExcel);
    t += line(QStringLiteral("LogDelay"), LogDelay);
    t += line(QStringLiteral("LogOn"), LogOn);
    t += line(QStringLiteral("DisplayRPM"), DisplayRPM);
    t += line(QStringLiteral("DisplayWS"), DisplayWS);
    t += line(QStringLiteral("WSUnits"), WSUnits);
    t += line(QStringLiteral("SV"), SV);
    t += line(QStringLiteral("MA"), MA);
    t += line(QStringLiteral("BR"), BR);
    t += line(QStringLiteral("dispMessages"), dispMessages);
    t += QStringLiteral("\r\n");
    return t.toLatin1();
}

QByteArray CalibrationConfig::text() const
{
    QString t = QStringLiteral("Calibration Settings\r\n\r\n\r\n");
    t += line(QStringLiteral("VoltDivider"), VoltDivider);
    t += line(QStringLiteral("VoltOffset"), VoltOffset);
    t += line(QStringLiteral("AmpDivider"), AmpDivider);
    t += line(QStringLiteral("RPMDivider"), RPMDivider);
    t += line(QStringLiteral("WSDivider"), WSDivider);
    return t.toLatin1();
}

}  // namespace corvane::test
