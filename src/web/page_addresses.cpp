#include "web/page_addresses.h"

namespace corvane {

QStringList pageAddresses(const WebConfig& config, const QList<QHostAddress>& localAddresses)
{
    const QString scheme = config.tls() ? QStringLiteral("https://") : QStringLiteral("http://");
    const QString port = u':' + QString::number(config.port) + u'/';
    const auto url = [&](const QString& host) {
        return scheme + (host.contains(u':') ? u'[' + host + u']' : host) + port;
    };
    if (!config.address.isEmpty())
        return {url(config.address)};
    QStringList urls;
    QStringList loopback;
    for (const QHostAddress& address : localAddresses) {
        if (address.protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        (address.isLoopback() ? loopback : urls) << url(address.toString());
    }
    return urls + loopback;
}

}  // namespace corvane
