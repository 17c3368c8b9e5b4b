#include "web/web_access.h"

#include <QUrl>

#include <algorithm>

namespace corvane {
namespace {

// Looks at every byte of both, so the time tells nothing about the first difference.
bool sameBytes(const QByteArray& a, const QByteArray& b)
{
    const qsizetype length = std::max(a.size(), b.size());
    unsigned difference = a.size() == b.size() ? 0U : 1U;
    for (qsizetype i = 0; i < length; ++i) {
        const auto x = static_cast<unsigned char>(i < a.size() ? a[i] : 0);
        const auto y = static_cast<unsigned char>(i < b.size() ? b[i] : 0);
        difference |= static_cast<unsigned>(x ^ y);
    }
    return difference == 0;
}

// "host:port" in lower case with the scheme's port filled in.
QString authority(const QString& host, int port)
{
    return host.toLower() + u':' + QString::number(port);
}

}  // namespace

bool basicCredentialsMatch(const QByteArray& authorization, const QString& user, const QString& password)
{
    const QByteArray header = authorization.trimmed();
    const qsizetype space = header.indexOf(' ');
    if (space < 0 || header.left(space).toLower() != "basic")
        return false;
    const auto decoded = QByteArray::fromBase64Encoding(header.mid(space + 1).trimmed(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return false;
    const QByteArray& pair = *decoded;
    const qsizetype colon = pair.indexOf(':');
    if (colon < 0)
        return false;
    const bool userMatches = sameBytes(pair.left(colon), user.toUtf8()) || user.isEmpty();
    const bool passwordMatches = sameBytes(pair.mid(colon + 1), password.toUtf8());
    return userMatches && passwordMatches;
}

bool originAllowed(const QByteArray& origin, const QByteArray& host, bool tls)
{
    if (origin.isEmpty())
        return true;
    const QUrl from(QString::fromLatin1(origin), QUrl::StrictMode);
    const QString scheme = from.scheme().toLower();
    if (!from.isValid() || from.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
        return false;
    const int originDefault = scheme == u"https" ? 443 : 80;
    // The Host header has no scheme: read it as an authority of the request's own.
    const QUrl to((tls ? QStringLiteral("https://") : QStringLiteral("http://")) + QString::fromLatin1(host), QUrl::StrictMode);
    if (!to.isValid() || to.host().isEmpty() || !to.path().isEmpty() || to.hasQuery() || !to.userInfo().isEmpty())
        return false;
    return authority(from.host(), from.port(originDefault)) == authority(to.host(), to.port(tls ? 443 : 80));
}

}  // namespace corvane
