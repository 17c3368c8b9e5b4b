#include "platform/clock.h"
#include "platform/interaction.h"
#include "platform/qt_serial_port.h"
#include "platform/termination_signal.h"
#include "ui/corvane_main.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));

    corvane::SystemClock clock;
    corvane::QtInteraction interaction;
    corvane::Platform platform;
    platform.programFolder = QCoreApplication::applicationDirPath();
    platform.clock = &clock;
    platform.interaction = &interaction;
    platform.makeSerialPort = [folder = platform.programFolder] {
        return std::make_unique<corvane::QtSerialPort>(folder);
    };

    corvane::CorvaneMain window(platform);
    // Asked to end (a shutdown, a kill): leave as a closed window does, ports released.
    corvane::onTerminationSignal([] { QCoreApplication::quit(); });
    window.show();
    window.Form_Load();
    return app.exec();
}
