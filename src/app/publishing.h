#pragma once

#include "publish/publisher.h"
#include "ui/window_subscription.h"

#include <memory>

namespace corvane {

class CorvaneMain;
struct Platform;

// A publisher attached to a window. The subscription ends before the publisher, so no
// event reaches a publisher that is going; either may outlive the window.
struct Publishing {
    std::unique_ptr<Publisher> publisher;
    WindowSubscription subscription;

    // Publishes offline and disconnects (the destructor does the same).
    void stop() { publisher->stop(); }
};

// Publishing to the broker that mqtt.cfg in the program folder names, attached to the
// window: its frames, records and error-log entries go out, the broker's state shows in
// its message area and broker problems enter its error log. Nothing when the file is
// missing or publishing is off.
std::unique_ptr<Publishing> startPublishing(CorvaneMain& window, const Platform& platform);

}  // namespace corvane
