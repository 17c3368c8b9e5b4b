#pragma once

#include <QDate>
#include <QString>

namespace corvane {

enum class WebEndpoint {
    PageFile,    // one of the page's files; `file` names its resource
    Live,        // /api/live
    Socket,      // /ws
    Day,         // /api/day/YYYY-MM-DD
    Summary,     // /api/summary
    SummaryCsv,  // /api/summary.csv
    Errors,      // /api/errors
    Metrics,     // /metrics
    Alerts,      // /api/alerts
    Settings,    // /api/config: what the page shows
    NotFound,
    BadRequest,  // `error` says why
};

// What a request's path and query ask for. Dates are checked here, so that nothing but a
// real date ever reaches a file name.
struct WebRoute {
    WebEndpoint endpoint = WebEndpoint::NotFound;
    QString file;
    QString contentType;
    QDate date;
    QDate from;  // invalid: open
    QDate to;    // invalid: open
    int limit = 50;
    QString error;
};

inline constexpr int kMaxErrorLines = 1000;

// `path` and `query` as the request carries them, percent-encoding and all.
WebRoute routeRequest(const QByteArray& path, const QByteArray& query);

// A date written as YYYY-MM-DD that exists in the calendar, or an invalid date.
QDate isoDate(QByteArrayView text);

}  // namespace corvane
