#pragma once

#include "publish/discovery.h"

#include <cstddef>
#include <deque>

namespace corvane {

// The records and errors waiting for the broker, oldest first. Past its capacity the
// oldest message goes, so that a long outage keeps the most recent history; the number
// lost is kept until it has been reported.
class Backlog {
public:
    explicit Backlog(std::size_t capacity = 10000) : m_capacity(capacity) {}

    void push(TopicMessage message)
    {
        if (m_messages.size() >= m_capacity) {
            m_messages.pop_front();
            ++m_dropped;
        }
        m_messages.push_back(std::move(message));
    }
    bool empty() const { return m_messages.empty(); }
    std::size_t size() const { return m_messages.size(); }
    const TopicMessage& front() const { return m_messages.front(); }
    void pop() { m_messages.pop_front(); }
    // How many were dropped since the last call.
    std::size_t takeDropped() { return std::exchange(m_dropped, 0); }

private:
    std::size_t m_capacity;
    std::deque<TopicMessage> m_messages;
    std::size_t m_dropped = 0;
};

}  // namespace corvane
