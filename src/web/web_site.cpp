#include "web/web_site.h"

#include "config/program_config.h"
#include "history/history_folder.h"
#include "history/summary_csv.h"
#include "logging/day_file.h"
#include "logging/error_log_entry.h"
#include "publish/json_texts.h"
#include "web/web_documents.h"
#include "web/web_access.h"
#include "web/web_route.h"

#include <QDir>
#include <QFile>

namespace corvane {
namespace {

const QByteArray kJson = QByteArrayLiteral("application/json; charset=utf-8");

WebReply json(int status, QByteArray body)
{
    WebReply reply;
    reply.status = status;
    reply.contentType = kJson;
    reply.body = std::move(body);
    reply.headers.append({QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store")});
    return reply;
}

WebReply failure(int status, const QString& reason)
{
    return json(status, errorJson(reason));
}

WebReply text(const QByteArray& contentType, QByteArray body)
{
    WebReply reply;
    reply.contentType = contentType;
    reply.body = std::move(body);
    reply.headers.append({QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store")});
    return reply;
}

std::optional<QByteArray> readAtMost(const QString& path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(limit);
}

}  // namespace

WebSite::WebSite(WebSiteSettings settings, SnapshotSource snapshot)
    : m_settings(std::move(settings)), m_snapshot(std::move(snapshot))
{
}

std::optional<WebReply> WebSite::answer(const WebRequest& request) const
{
    if (!m_settings.password.isEmpty()
        && !basicCredentialsMatch(request.authorization, m_settings.user, m_settings.password)) {
        WebReply reply = failure(401, QStringLiteral("this page needs a user name and password"));
        reply.headers.append({QByteArrayLiteral("WWW-Authenticate"), QByteArrayLiteral("Basic realm=\"Corvane\", charset=\"UTF-8\"")});
        return reply;
    }
    const bool head = request.method == "HEAD";
    if (request.method != "GET" && !head) {
        WebReply reply = failure(405, QStringLiteral("only GET and HEAD are served"));
        reply.headers.append({QByteArrayLiteral("Allow"), QByteArrayLiteral("GET, HEAD")});
        return reply;
    }
    if (request.upgrade && request.path != "/ws")
        return failure(404, QStringLiteral("WebSockets are served at /ws only"));
    if (request.path == "/ws" && request.upgrade && !head) {
        if (!originAllowed(request.origin, request.host, m_settings.tls))
            return failure(403, QStringLiteral("the page's origin is not this server"));
        return std::nullopt;
    }
    WebReply reply = route(request);
    reply.withoutBody = head;
    return reply;
}

WebReply WebSite::route(const WebRequest& request) const
{
    const WebRoute route = routeRequest(request.path, request.query);
    const QDir folder(m_settings.programFolder);
    switch (route.endpoint) {
    case WebEndpoint::PageFile: {
        QFile file(route.file);
        if (!file.open(QIODevice::ReadOnly))
            return failure(404, QStringLiteral("no such page"));
        WebReply reply;
        reply.contentType = route.contentType.toLatin1();
        reply.body = file.readAll();
        reply.headers.append({QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache")});
        return reply;
    }
    case WebEndpoint::Live:
        return json(200, liveText(m_snapshot()).toUtf8());
    case WebEndpoint::Socket:
        return failure(400, QStringLiteral("/ws takes WebSocket upgrades only"));
    case WebEndpoint::Day: {
        const std::optional<QByteArray> content
            = readAtMost(folder.filePath(dayFilePath(route.date)), kMaxDayFileBytes);
        if (!content)
            return failure(404, QStringLiteral("no log for ") + route.date.toString(QStringLiteral("yyyy-MM-dd")));
        return json(200, dayJson(route.date, *content));
    }
    case WebEndpoint::Summary:
        return json(200, summaryJson(readHistory(m_settings.programFolder, route.from, route.to).days));
    case WebEndpoint::SummaryCsv:
        return text(QByteArrayLiteral("text/csv; charset=utf-8"),
                    summaryCsv(readHistory(m_settings.programFolder, route.from, route.to).days).toLatin1());
    case WebEndpoint::Errors:
        return json(200, linesJson(lastLines(folder.filePath(kErrorLogFile), route.limit)));
    case WebEndpoint::Metrics:
        return text(QByteArrayLiteral("text/plain; version=0.0.4; charset=utf-8"),
                    metricsText(m_snapshot(), m_settings.version));
    case WebEndpoint::Alerts:
        return json(200, alertsJson(m_snapshot()));
    case WebEndpoint::Settings:
        return json(200, m_settings.pageSettingsJson);
    case WebEndpoint::BadRequest:
        return failure(400, route.error);
    case WebEndpoint::NotFound:
        break;
    }
    return failure(404, QStringLiteral("no such page"));
}

QByteArray pageSettingsJson(const QString& programConfigText)
{
    const ProgramConfig config = readProgramConfig(programConfigText).config;
    bool ok = false;
    const double delay = config.logDelay.trimmed().toDouble(&ok);
    const auto flag = [](bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); };
    return (QStringLiteral("{\"display_rpm\": ") + flag(config.displayRpm)
            + QStringLiteral(", \"display_wind\": ") + flag(config.displayWindSpeed)
            + QStringLiteral(", \"wind_units\": ") + jsonString(config.windSpeedUnits)
            + QStringLiteral(", \"log_delay\": ") + (ok && delay > 0 ? jsonNumber(delay) : QStringLiteral("60")) + u'}')
        .toUtf8();
}

}  // namespace corvane
