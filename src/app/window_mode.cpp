#include "app/run_modes.h"

#include "app/program_icon.h"
#include "app/publishing.h"
#include "platform/clock.h"
#include "platform/interaction.h"
#include "platform/qt_serial_port.h"
#include "platform/termination_signal.h"
#include "ui/corvane_main.h"

#include <QApplication>

namespace corvane {

int runWindow(int& argc, char** argv, const QString& folder)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    useProgramIcon();

    SystemClock clock;
    QtInteraction interaction;
    Platform platform;
    platform.programFolder = folder;
    platform.clock = &clock;
    platform.interaction = &interaction;
    platform.makeSerialPort = [folder] { return std::make_unique<QtSerialPort>(folder); };

    CorvaneMain window(platform);
    const auto publishing = startPublishing(window, platform);
    // Asked to end (a shutdown, a kill): leave as a closed window does, ports released.
    onTerminationSignal([] { QCoreApplication::quit(); });
    window.show();
    window.Form_Load();
    return app.exec();
}

}  // namespace corvane
