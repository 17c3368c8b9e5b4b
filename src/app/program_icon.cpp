#include "app/program_icon.h"

#include <QGuiApplication>
#include <QIcon>

namespace corvane {

void useProgramIcon()
{
    QIcon icon;
    for (const char* size : {"48", "256"})
        icon.addFile(QStringLiteral(":/icons/org.example.corvane.Corvane-%1.png").arg(QLatin1String(size)));
    QGuiApplication::setWindowIcon(icon);
    // Lets a desktop match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.corvane.Corvane"));
}

}  // namespace corvane
