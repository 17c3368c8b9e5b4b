#include "app/windowed_session.h"

#include "app/program_icon.h"
#include "app/real_platform.h"

namespace corvane {

WindowedSession::WindowedSession(int& argc, char** argv, const QString& folder)
    : app(argc, argv), platform(realPlatform(folder, clock, interaction))
{
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    useProgramIcon();
}

}  // namespace corvane
