#include "app/real_platform.h"
#include "app/run_modes.h"
#include "app/windowed_session.h"

#include "platform/termination_signal.h"
#include "ui/history_window.h"

namespace corvane {

// The energy history alone: it only reads the day files, so it needs no lock and no port
// and can be used beside a running logger.
int runHistory(int& argc, char** argv, const QString& folder)
{
    if (!checkDisplay())
        return 2;
    WindowedSession session(argc, argv, folder);

    HistoryWindow window(session.platform, nullptr);
    onTerminationSignal([] { QCoreApplication::quit(); });
    window.Form_Load();
    window.show();
    return QApplication::exec();
}

}  // namespace corvane
