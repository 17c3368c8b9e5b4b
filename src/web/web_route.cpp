#include "web/web_route.h"

#include <QUrl>
#include <algorithm>
#include <optional>

namespace corvane {
namespace {

struct PageFile {
    const char* path;
    const char* resource;
    const char* contentType;
};

constexpr PageFile kPageFiles[] = {
    {"/", ":/page/index.html", "text/html; charset=utf-8"},
    {"/index.html", ":/page/index.html", "text/html; charset=utf-8"},
    {"/app.js", ":/page/app.js", "text/javascript; charset=utf-8"},
    {"/app.css", ":/page/app.css", "text/css; charset=utf-8"},
    {"/uPlot.iife.min.js", ":/page/uPlot.iife.min.js", "text/javascript; charset=utf-8"},
    {"/uPlot.min.css", ":/page/uPlot.min.css", "text/css; charset=utf-8"},
};

WebRoute badRequest(const QString& reason)
{
    WebRoute route;
    route.endpoint = WebEndpoint::BadRequest;
    route.error = reason;
    return route;
}

// The query's pairs, decoded; nothing when a pair or a name repeats or cannot be decoded.
std::optional<QList<QPair<QString, QString>>> queryPairs(const QByteArray& query, QString& error)
{
    QList<QPair<QString, QString>> pairs;
    if (query.isEmpty())
        return pairs;
    for (const QByteArray& part : query.split('&')) {
        if (part.isEmpty())
            continue;
        const qsizetype equals = part.indexOf('=');
        const QByteArray rawName = equals < 0 ? part : part.left(equals);
        const QByteArray rawValue = equals < 0 ? QByteArray() : part.mid(equals + 1);
        const QString name = QUrl::fromPercentEncoding(rawName);
        const QString value = QUrl::fromPercentEncoding(QByteArray(rawValue).replace('+', ' '));
        for (const auto& pair : pairs)
            if (pair.first == name) {
                error = QStringLiteral("%1 given twice").arg(name);
                return std::nullopt;
            }
        pairs.append({name, value});
    }
    return pairs;
}

WebRoute summaryRoute(WebEndpoint endpoint, const QByteArray& query)
{
    QString error;
    const auto pairs = queryPairs(query, error);
    if (!pairs)
        return badRequest(error);
    WebRoute route;
    route.endpoint = endpoint;
    for (const auto& [name, value] : *pairs) {
        if (name != u"from" && name != u"to")
            return badRequest(QStringLiteral("unknown parameter ") + name);
        const QDate date = isoDate(value.toLatin1());
        if (!date.isValid())
            return badRequest(name + QStringLiteral(" is not a date YYYY-MM-DD"));
        (name == u"from" ? route.from : route.to) = date;
    }
    return route;
}

WebRoute errorsRoute(const QByteArray& query)
{
    QString error;
    const auto pairs = queryPairs(query, error);
    if (!pairs)
        return badRequest(error);
    WebRoute route;
    route.endpoint = WebEndpoint::Errors;
    for (const auto& [name, value] : *pairs) {
        if (name != u"limit")
            return badRequest(QStringLiteral("unknown parameter ") + name);
        // Digits only: no sign, blanks or exponent, and short enough not to overflow.
        const bool digits = !value.isEmpty() && value.size() <= 4
                            && std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        const int limit = digits ? value.toInt() : 0;
        if (limit < 1 || limit > kMaxErrorLines)
            return badRequest(QStringLiteral("limit must be a whole number from 1 to %1").arg(kMaxErrorLines));
        route.limit = limit;
    }
    return route;
}

}  // namespace

QDate isoDate(QByteArrayView text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return QDate();
    int parts[3] = {0, 0, 0};
    int index = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i == 4 || i == 7) {
            ++index;
            continue;
        }
        if (text[i] < '0' || text[i] > '9')
            return QDate();
        parts[index] = parts[index] * 10 + (text[i] - '0');
    }
    // QDate takes year 0 as invalid and months and days out of range likewise.
    return QDate(parts[0], parts[1], parts[2]);
}

WebRoute routeRequest(const QByteArray& path, const QByteArray& query)
{
    for (const PageFile& file : kPageFiles)
        if (path == file.path) {
            WebRoute route;
            route.endpoint = WebEndpoint::PageFile;
            route.file = QString::fromLatin1(file.resource);
            route.contentType = QString::fromLatin1(file.contentType);
            return route;
        }

    static const QByteArray kDayPrefix = QByteArrayLiteral("/api/day/");
    if (path.startsWith(kDayPrefix)) {
        // Only the ten characters of a real date pass; "..", "%2e" or "/" never do.
        WebRoute route;
        route.date = isoDate(QByteArrayView(path).sliced(kDayPrefix.size()));
        if (!route.date.isValid())
            return badRequest(QStringLiteral("the day is not a date YYYY-MM-DD"));
        route.endpoint = WebEndpoint::Day;
        return route;
    }
    if (path == "/api/summary")
        return summaryRoute(WebEndpoint::Summary, query);
    if (path == "/api/summary.csv")
        return summaryRoute(WebEndpoint::SummaryCsv, query);
    if (path == "/api/errors")
        return errorsRoute(query);

    WebRoute route;
    if (path == "/api/live")
        route.endpoint = WebEndpoint::Live;
    else if (path == "/ws")
        route.endpoint = WebEndpoint::Socket;
    else if (path == "/metrics")
        route.endpoint = WebEndpoint::Metrics;
    else if (path == "/api/alerts")
        route.endpoint = WebEndpoint::Alerts;
    else if (path == "/api/config")
        route.endpoint = WebEndpoint::Settings;
    return route;
}

}  // namespace corvane
