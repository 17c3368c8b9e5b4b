#include "app/real_platform.h"

#include "desktop/display_check.h"
#include "platform/qt_serial_port.h"

#include <cstdio>

namespace corvane {

Platform realPlatform(const QString& folder, Clock& clock, Interaction& interaction)
{
    Platform platform;
    platform.programFolder = folder;
    platform.clock = &clock;
    platform.interaction = &interaction;
    platform.makeSerialPort = [folder] { return std::make_unique<QtSerialPort>(folder); };
    return platform;
}

std::optional<int> holdProgramFolder(FolderLock& lock, const std::function<void(const QString&)>& tell)
{
    switch (lock.acquire()) {
    case FolderLock::State::Held:
        return std::nullopt;
    case FolderLock::State::HeldByOther:
        tell(lock.heldByOtherMessage());
        return 1;
    case FolderLock::State::Unavailable:
        tell(QStringLiteral("Running without the check for a second Corvane in this folder: ") + lock.reason());
        return std::nullopt;
    }
    return std::nullopt;
}

bool checkDisplay()
{
    if (displayAvailable())
        return true;
    std::fprintf(stderr, "%s\n", kNoDisplayMessage.toLocal8Bit().constData());
    return false;
}

}  // namespace corvane
