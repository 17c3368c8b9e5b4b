#pragma once

#include <QByteArray>
#include <QString>

namespace corvane {

// Whether an Authorization header carries HTTP Basic credentials for `user` and
// `password`; an empty `user` takes any name. Both are compared in time that does not
// depend on where they differ.
bool basicCredentialsMatch(const QByteArray& authorization, const QString& user, const QString& password);

// Whether a WebSocket upgrade may go ahead: a request without Origin comes from a program
// and may; a browser's Origin must name the same host and port as the request's Host.
bool originAllowed(const QByteArray& origin, const QByteArray& host, bool tls);

}  // namespace corvane
