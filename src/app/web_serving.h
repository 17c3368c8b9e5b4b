#pragma once

#include "ui/window_subscription.h"
#include "web/web_server.h"

#include <memory>

namespace corvane {

class CorvaneMain;
struct Platform;

// The page's server attached to a window. The subscription ends before the server, so no
// event reaches a server that is going.
struct WebServing {
    std::unique_ptr<WebServer> server;
    WindowSubscription subscription;
};

// The page that web.cfg in the program folder describes, attached to the window: its
// state on a status line of its own, its problems in the window's error log. Nothing when
// the file is missing, the page is off or its settings are only half there.
std::unique_ptr<WebServing> startWebServing(CorvaneMain& window, const Platform& platform);

}  // namespace corvane
