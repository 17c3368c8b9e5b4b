#include "app/alerting.h"
#include "app/no_font_files.h"
#include "app/real_platform.h"
#include "app/publishing.h"
#include "app/web_serving.h"
#include "app/run_modes.h"

#include "desktop/stderr_interaction.h"
#include "platform/clock.h"
#include "platform/termination_signal.h"
#include "ui/corvane_main.h"

#include <QApplication>
#include <QScopeGuard>
#include <QTimer>

namespace corvane {
namespace {

StderrInteraction* g_journal = nullptr;

// The toolkit's own warnings go to the journal in the same dated form. Its notice that a
// system service has no per-user runtime folder says nothing the user can act on.
void toJournal(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg || type == QtInfoMsg || text.startsWith(u"QStandardPaths: XDG_RUNTIME_DIR not set"))
        return;
    if (g_journal)
        g_journal->report(text);
}

}  // namespace

// The main window's logic without a screen: the same handlers write the same files, and
// what would be a message box is a line on standard error for the system journal.
int runService(int& argc, char** argv, const QString& folder)
{
    // Chosen here, not left to the environment: a service never needs a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nor any font: it draws no text, and the files do not depend on how text is measured.
    useNoFontFiles();
    SystemClock clock;
    StderrInteraction interaction(clock);
    g_journal = &interaction;
    qInstallMessageHandler(toJournal);
    const auto journalEnds = qScopeGuard([] {
        qInstallMessageHandler(nullptr);
        g_journal = nullptr;
    });
    QApplication app(argc, argv);

    FolderLock lock(folder);
    if (const std::optional<int> status =
            holdProgramFolder(lock, [&interaction](const QString& text) { interaction.report(text); }))
        return *status;

    const Platform platform = realPlatform(folder, clock, interaction);
    CorvaneMain logger(platform, nullptr, CorvaneMain::DisplayUpdates::Off);
    const auto publishing = startPublishing(logger, platform);
    // Before the alerts, which tell the page every change and so must end first.
    const auto serving = startWebServing(logger, platform);
    const auto alerting = startAlerting(logger, platform);
    if (alerting)
        reportAlertsToJournal(*alerting, interaction);
    if (alerting && publishing)
        alerting->attach(*publishing->publisher);
    if (alerting && serving)
        alerting->attach(*serving->server);
    // Asked to end (a shutdown, systemctl stop, Ctrl+C): the Exit command, exit entry
    // included, and the broker told that Corvane is offline.
    onTerminationSignal([&logger, &publishing] {
        logger.Exit_Click();
        if (publishing)
            publishing->stop();
        logger.RequestStop();
        QCoreApplication::quit();
    });
    QTimer::singleShot(0, &logger, &CorvaneMain::StartUnattended);
    return app.exec();
}

}  // namespace corvane
