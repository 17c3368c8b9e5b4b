#include "ui/window_subscription.h"

#include "ui/corvane_main.h"

#include <utility>

namespace corvane {

WindowSubscription::WindowSubscription(CorvaneMain& window, WindowEvents& listener)
    : m_window(&window), m_listener(&listener)
{
    window.addEventListener(&listener);
}

WindowSubscription::~WindowSubscription() { reset(); }

WindowSubscription::WindowSubscription(WindowSubscription&& other) noexcept
    : m_window(std::exchange(other.m_window, nullptr)), m_listener(std::exchange(other.m_listener, nullptr))
{
}

WindowSubscription& WindowSubscription::operator=(WindowSubscription&& other) noexcept
{
    if (this != &other) {
        reset();
        m_window = std::exchange(other.m_window, nullptr);
        m_listener = std::exchange(other.m_listener, nullptr);
    }
    return *this;
}

void WindowSubscription::reset()
{
    if (m_window && m_listener)
        m_window->removeEventListener(m_listener);
    m_window = nullptr;
    m_listener = nullptr;
}

}  // namespace corvane
