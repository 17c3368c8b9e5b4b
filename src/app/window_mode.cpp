#include "app/alerting.h"
#include "app/publishing.h"
#include "app/web_serving.h"
#include "app/real_platform.h"
#include "app/run_modes.h"
#include "app/windowed_session.h"

#include "platform/termination_signal.h"
#include "ui/corvane_main.h"

#include <QTimer>
#include <cstdio>

namespace corvane {

int runWindow(int& argc, char** argv, const QString& folder)
{
    if (!checkDisplay())
        return 2;
    WindowedSession session(argc, argv, folder);

    FolderLock lock(folder);
    const auto tell = [&session](const QString& text) {
        std::fprintf(stderr, "corvane: %s\n", text.toLocal8Bit().constData());
        session.interaction.message(nullptr, text);
    };
    if (const std::optional<int> status = holdProgramFolder(lock, tell))
        return *status;

    CorvaneMain window(session.platform);
    const auto publishing = startPublishing(window, session.platform);
    // Before the alerts, which tell the page every change and so must end first.
    const auto serving = startWebServing(window, session.platform);
    const auto alerting = startAlerting(window, session.platform);
    if (alerting)
        showAlertsInWindow(*alerting, window);
    if (alerting && publishing)
        alerting->attach(*publishing->publisher);
    if (alerting && serving)
        alerting->attach(*serving->server);
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
    return QApplication::exec();
}

}  // namespace corvane
