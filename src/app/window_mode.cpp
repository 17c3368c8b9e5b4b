#include "app/real_platform.h"
#include "app/run_modes.h"

#include "app/program_icon.h"
#include "app/publishing.h"
#include "platform/clock.h"
#include "platform/interaction.h"
#include "platform/termination_signal.h"
#include "ui/corvane_main.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace corvane {

int runWindow(int& argc, char** argv, const QString& folder)
{
    // The toolkit ends the process itself when it finds no screen; say what to do instead.
    if (!checkDisplay())
        return 2;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    useProgramIcon();

    SystemClock clock;
    QtInteraction interaction;
    FolderLock lock(folder);
    const auto tell = [&interaction](const QString& text) {
        std::fprintf(stderr, "corvane: %s\n", text.toLocal8Bit().constData());
        interaction.message(nullptr, text);
    };
    if (const std::optional<int> status = holdProgramFolder(lock, tell))
        return *status;

    const Platform platform = realPlatform(folder, clock, interaction);
    CorvaneMain window(platform);
    const auto publishing = startPublishing(window, platform);
    // Asked to end (a shutdown, a kill): leave as a closed window does, whatever dialog is
    // up, ports released; only the Exit button writes the exit entry.
    onTerminationSignal([&window] {
        window.RequestStop();
        QCoreApplication::quit();
    });
    window.show();
    // Inside the event loop, so that a request to end is heard even while the start-up
    // asks about the port.
    QTimer::singleShot(0, &window, &CorvaneMain::Form_Load);
    return app.exec();
}

}  // namespace corvane
