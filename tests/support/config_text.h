#pragma once

#include <QByteArray>
#include <QString>

namespace corvane::test {

// prog.cfg laid out as the setup dialog writes it, with values a test can change.
struct ProgConfig {
    QString Port = QStringLiteral("0");
    QString Savehtml = QStringLiteral("0");
    QString SaveExcel = QStringLiteral("0");
    QString LogDelay = QStringLiteral("60");
    QString LogOn = QStringLiteral("0");
    QString DisplayRPM = QStringLiteral("0");
    QString DisplayWS = QStringLiteral("0");
    QString WSUnits = QStringLiteral("km/h");
    QString SV = QStringLiteral("24");
    QString MA = QStringLiteral("20");
    QString BR = QStringLiteral("9600");
    QString dispMessages = QStringLiteral("1");

    QByteArray text() const;
};

// settings.cfg laid out as the calibration dialog writes it.
struct CalibrationConfig {
    QString VoltDivider = QStringLiteral("1");
    QString VoltOffset = QStringLiteral("0");
    QString AmpDivider = QStringLiteral("1");
    QString RPMDivider = QStringLiteral("1");
    QString WSDivider = QStringLiteral("1");

    QByteArray text() const;
};

}  // namespace corvane::test
