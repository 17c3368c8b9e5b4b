#include "app/real_platform.h"
#include "app/run_modes.h"
#include "app/windowed_session.h"

#include "platform/termination_signal.h"
#include "ui/graph.h"

#include <QTimer>

namespace corvane {

// The log viewer alone: no lock and no port, so it can be used beside a running logger.
int runViewer(int& argc, char** argv, const QString& folder)
{
    if (!checkDisplay())
        return 2;
    WindowedSession session(argc, argv, folder);

    Graph viewer(session.platform, nullptr);
    QObject::connect(&viewer, &QDialog::finished, &session.app, &QCoreApplication::quit);
    onTerminationSignal([] { QCoreApplication::quit(); });
    QTimer::singleShot(0, &viewer, [&viewer] {
        viewer.Form_Load();
        viewer.show();
    });
    return QApplication::exec();
}

}  // namespace corvane
