// The page's server over arbitrary requests: the path and query as sent, the
// Authorization, Origin and Host headers and the method. Routing must let only a real
// date reach a day file's name, under logs/ and nowhere else, keep the error-log limit in
// its bounds and say why it refuses; a whole answer must have a status the server uses,
// and a JSON body that parses.
//
// The input: one byte for the method, then the target (path?query), Authorization,
// Origin and Host, each ended by a newline.
#include "fuzz_app.h"
#include "fuzz_input.h"
#include "logging/day_file.h"
#include "web/web_access.h"
#include "web/web_route.h"
#include "web/web_site.h"

#include <QJsonDocument>
#include <QRegularExpression>

namespace {
using namespace corvane;
using fuzz::FuzzInput;
using fuzz::require;

QByteArray part(QByteArray& rest)
{
    const qsizetype end = rest.indexOf('\n');
    const QByteArray taken = end < 0 ? rest : rest.left(end);
    rest = end < 0 ? QByteArray() : rest.mid(end + 1);
    return taken;
}

void checkRoute(const WebRoute& route)
{
    static const QRegularExpression dayFile(QStringLiteral("^logs/P_\\d{4}_\\d\\d_\\d\\d\\.txt$"));
    switch (route.endpoint) {
    case WebEndpoint::Day:
        require(route.date.isValid(), "a day route has a real date");
        require(dayFilePath(route.date).contains(dayFile), "a day route names a day file under logs/");
        break;
    case WebEndpoint::Errors:
        require(route.limit >= 1 && route.limit <= kMaxErrorLines, "the error-log limit is within its bounds");
        break;
    case WebEndpoint::BadRequest:
        require(!route.error.isEmpty(), "a refusal says why");
        break;
    case WebEndpoint::PageFile:
        require(route.file.startsWith(QStringLiteral(":/page/")), "page files come from the resources");
        break;
    default:
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::application();
    FuzzInput input(data, size);
    static const QByteArray methods[] = {"GET", "HEAD", "POST", "OTHER"};
    WebRequest request;
    request.method = methods[input.byte() % 4];
    QByteArray rest = input.rest();
    const QByteArray target = part(rest);
    const qsizetype mark = target.indexOf('?');
    request.path = mark < 0 ? target : target.left(mark);
    request.query = mark < 0 ? QByteArray() : target.mid(mark + 1);
    request.authorization = part(rest);
    request.origin = part(rest);
    request.host = part(rest);
    request.upgrade = !rest.isEmpty();

    checkRoute(routeRequest(request.path, request.query));
    (void)originAllowed(request.origin, request.host, false);

    WebSiteSettings settings;
    settings.programFolder = fuzz::programFolder();
    settings.user = QStringLiteral("owner");
    // Asked for only now and then, so that most inputs reach the routes.
    settings.password = (size % 4 == 0) ? QStringLiteral("pw") : QString();
    WebSite site(settings, [] { return WebSnapshot{}; });
    const std::optional<WebReply> reply = site.answer(request);
    if (!reply) {
        require(request.upgrade && request.path == "/ws", "only an upgrade at /ws goes ahead");
        return 0;
    }
    static const QList<int> statuses = {200, 400, 401, 403, 404, 405};
    require(statuses.contains(reply->status), "the status is one the server uses");
    if (reply->contentType.startsWith("application/json")) {
        QJsonParseError error;
        QJsonDocument::fromJson(reply->body, &error);
        require(error.error == QJsonParseError::NoError, "a JSON body parses");
    }
    return 0;
}
