#pragma once

#include "alerts/alert_sink.h"

#include <functional>

namespace corvane {

inline const QString kAlertLogFile = QStringLiteral("alerts.txt");

// "2026_12_07 16:05:09  raised  battery_low  battery at ..." with its CR LF: the date and
// time one blank apart, then state, key and message two blanks apart.
QString alertLogLine(const AlertChange& change);

// Appends each change to alerts.txt as one whole, synced line; the file is never rewritten.
// A line that cannot be written goes to `reportFailure` with the system's reason.
class AlertLog final : public AlertSink {
public:
    using FailureReport = std::function<void(const QString& message, const QString& reason)>;
    AlertLog(QString path, FailureReport reportFailure)
        : m_path(std::move(path)), m_reportFailure(std::move(reportFailure))
    {
    }

    void alertChanged(const AlertChange& change) override;

private:
    QString m_path;
    FailureReport m_reportFailure;
};

}  // namespace corvane
