#include "app/program_icon.h"
#include "app/real_platform.h"
#include "app/run_modes.h"

#include "platform/clock.h"
#include "platform/interaction.h"
#include "platform/termination_signal.h"
#include "ui/graph.h"

#include <QApplication>
#include <QTimer>

namespace corvane {

// The log viewer alone: no lock and no port, so it can be used beside a running logger.
int runViewer(int& argc, char** argv, const QString& folder)
{
    if (!checkDisplay())
        return 2;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    useProgramIcon();

    SystemClock clock;
    QtInteraction interaction;
    const Platform platform = realPlatform(folder, clock, interaction);
    Graph viewer(platform, nullptr);
    QObject::connect(&viewer, &QDialog::finished, &app, &QCoreApplication::quit);
    onTerminationSignal([] { QCoreApplication::quit(); });
    QTimer::singleShot(0, &viewer, [&viewer] {
        viewer.Form_Load();
        viewer.show();
    });
    return app.exec();
}

}  // namespace corvane
