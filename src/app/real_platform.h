#pragma once

#include "platform/folder_lock.h"
#include "platform/platform.h"

#include <functional>
#include <optional>

namespace corvane {

class Clock;
class Interaction;

// The outside world of a real run: the program folder, the system's clock, the board's
// real serial port, and `interaction` for whatever would wait for the user.
Platform realPlatform(const QString& folder, Clock& clock, Interaction& interaction);

// Takes the program folder for this process. Returns the exit status when the program
// must end at once: 1, after `tell` has said so, when another Corvane holds the folder.
// A folder where no lock can be made (read only, say) is used without one, after
// `tell` has said why.
std::optional<int> holdProgramFolder(FolderLock& lock, const std::function<void(const QString&)>& tell);

// Prints the no-display message and returns false when no screen can be reached.
bool checkDisplay();

}  // namespace corvane
