#include "app/program_icon.h"
#include "app/real_platform.h"
#include "app/run_modes.h"

#include "platform/clock.h"
#include "platform/interaction.h"
#include "platform/termination_signal.h"
#include "ui/history_window.h"

#include <QApplication>

namespace corvane {

// The energy history alone: it only reads the day files, so it needs no lock and no port
// and can be used beside a running logger.
int runHistory(int& argc, char** argv, const QString& folder)
{
    if (!checkDisplay())
        return 2;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    useProgramIcon();

    SystemClock clock;
    QtInteraction interaction;
    const Platform platform = realPlatform(folder, clock, interaction);
    HistoryWindow window(platform, nullptr);
    onTerminationSignal([] { QCoreApplication::quit(); });
    window.Form_Load();
    window.show();
    return app.exec();
}

}  // namespace corvane
