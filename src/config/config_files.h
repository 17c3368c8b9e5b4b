#pragma once

#include <QString>

namespace corvane {

inline const QString kProgramConfigFile = QStringLiteral("prog.cfg");
inline const QString kCalibrationFile = QStringLiteral("settings.cfg");

}  // namespace corvane
