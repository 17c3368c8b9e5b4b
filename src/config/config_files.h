#pragma once

#include <QString>

namespace corvane {

inline const QString kProgramConfigFile = QStringLiteral("prog.cfg");
inline const QString kCalibrationFile = QStringLiteral("settings.cfg");
inline const QString kMqttConfigFile = QStringLiteral("mqtt.cfg");

}  // namespace corvane
