#pragma once

#include <QString>
#include <functional>

namespace corvane {

// Whether the windowing toolkit will find a screen, asked before it starts, because it
// ends the process when it finds none.
struct DisplayEnvironment {
    QString qpaPlatform;     // QT_QPA_PLATFORM
    QString waylandDisplay;  // WAYLAND_DISPLAY
    QString x11Display;      // DISPLAY
    QString runtimeDir;      // XDG_RUNTIME_DIR
};

// `socketAnswers` tries to connect to a local socket path (a leading '@' names an
// abstract socket).
bool displayAvailable(const DisplayEnvironment& environment,
                      const std::function<bool(const QString& socket)>& socketAnswers);

// The same for this process, with real connection attempts.
bool displayAvailable();

inline const QString kNoDisplayMessage =
    QStringLiteral("corvane: no display; run 'corvane --service' to log without a screen");

}  // namespace corvane
