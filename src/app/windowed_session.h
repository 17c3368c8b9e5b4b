#pragma once

#include "desktop/qt_interaction.h"
#include "platform/clock.h"
#include "platform/platform.h"

#include <QApplication>

namespace corvane {

// What every mode with windows starts from: the toolkit with the program's name and icon,
// the system's clock, message boxes, and the real platform on the program folder.
// Check for a screen (checkDisplay) before making one: the toolkit ends the process itself
// when it finds none.
struct WindowedSession {
    WindowedSession(int& argc, char** argv, const QString& folder);

    QApplication app;
    SystemClock clock;
    QtInteraction interaction;
    Platform platform;
};

}  // namespace corvane
