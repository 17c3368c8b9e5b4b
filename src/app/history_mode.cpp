#include "app/run_modes.h"

#include "platform/clock.h"
#include "platform/interaction.h"
#include "ui/history_window.h"

#include <QApplication>

namespace corvane {

int runHistory(int& argc, char** argv, const QString& folder)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));

    SystemClock clock;
    QtInteraction interaction;
    Platform platform;
    platform.programFolder = folder;
    platform.clock = &clock;
    platform.interaction = &interaction;

    HistoryWindow window(platform, nullptr);
    window.Form_Load();
    window.show();
    return app.exec();
}

}  // namespace corvane
