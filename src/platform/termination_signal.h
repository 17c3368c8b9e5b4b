#pragma once

#include <functional>

namespace corvane {

// Runs `onTerminate` on the user-interface thread when the process is asked to end
// (SIGTERM, SIGINT, SIGHUP), so that it can end like a closed window: ports closed, their
// lock files removed. Call once, after the application object exists.
void onTerminationSignal(std::function<void()> onTerminate);

}  // namespace corvane
