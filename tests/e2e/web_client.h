#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace corvane::e2e {

struct HttpAnswer {
    int status = 0;  // 0: no HTTP answer at all
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    QByteArray header(const QByteArray& name) const;
};

// One request on a connection of its own to 127.0.0.1:`port`, read until the server has
// sent the whole answer or closed; `tls` trusts any certificate (the tests make their own).
// `extraHeaders` are whole header lines without their CR LF.
HttpAnswer httpRequest(int port, const QByteArray& method, const QByteArray& target,
                       const QList<QByteArray>& extraHeaders = {}, bool tls = false);

}  // namespace corvane::e2e
