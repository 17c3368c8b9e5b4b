#pragma once

#include "publish/publisher.h"

#include <memory>

namespace corvane {

class CorvaneMain;
struct Platform;

// Publishing to the broker that mqtt.cfg in the program folder names, attached to the
// window: its frames, records and error-log entries go out, the broker's state shows in
// its message area and broker problems enter its error log. Nothing when the file is
// missing or publishing is off. Declare it after the window, so that it ends first;
// stop() publishes offline and disconnects (the destructor does the same).
std::unique_ptr<Publisher> startPublishing(CorvaneMain& window, const Platform& platform);

}  // namespace corvane
