#pragma once

#include "ui/corvane_main.h"

#include <QLabel>
#include <QPointer>
#include <functional>

namespace corvane {

// How a consumer attached to the window reports: entries through the window's error log and
// a status line of its own. Both do nothing once the window has gone, so a consumer may
// outlive it.

inline std::function<void(const QString&, const QString&)> windowErrorLog(CorvaneMain& window)
{
    return [owner = QPointer<CorvaneMain>(&window)](const QString& message, const QString& reason) {
        if (owner)
            owner->LogOutsideEvent(message, reason);
    };
}

inline std::function<void(const QString&)> windowStatusLine(CorvaneMain& window, const QString& objectName)
{
    return [line = QPointer<QLabel>(window.addStatusLine(objectName))](const QString& text) {
        if (line)
            line->setText(text);
    };
}

}  // namespace corvane
