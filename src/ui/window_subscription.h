#pragma once

#include <QPointer>

namespace corvane {

class CorvaneMain;
class WindowEvents;

// A consumer's place among the main window's listeners, held for as long as this object
// lives. Whichever ends first, the window or the subscription, nothing is left pointing at
// the other: the window forgets the listener when the subscription ends, and a subscription
// whose window has gone does nothing.
class WindowSubscription {
public:
    WindowSubscription() = default;
    WindowSubscription(CorvaneMain& window, WindowEvents& listener);
    ~WindowSubscription();
    WindowSubscription(WindowSubscription&& other) noexcept;
    WindowSubscription& operator=(WindowSubscription&& other) noexcept;
    WindowSubscription(const WindowSubscription&) = delete;
    WindowSubscription& operator=(const WindowSubscription&) = delete;

    void reset();

private:
    QPointer<CorvaneMain> m_window;
    WindowEvents* m_listener = nullptr;
};

}  // namespace corvane
