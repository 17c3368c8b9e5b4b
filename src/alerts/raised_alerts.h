#pragma once

#include "alerts/alert_sink.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace corvane {

// The alerts that are raised now, in the order they were raised, as the message area
// lists them: one line each, "<key>: <message>", empty when none is raised.
class RaisedAlerts final : public AlertSink {
public:
    explicit RaisedAlerts(std::function<void(const QString& text)> show) : m_show(std::move(show)) {}

    void alertChanged(const AlertChange& change) override;
    QString text() const;

private:
    std::vector<AlertChange> m_raised;
    std::function<void(const QString&)> m_show;
};

}  // namespace corvane
