#pragma once

#include <QString>

namespace corvane {

inline const QString kWebConfigFile = QStringLiteral("web.cfg");

// The page's settings of web.cfg. A missing file means the page is off; a missing key
// takes the default shown here.
struct WebConfig {
    bool enabled = false;
    QString address;  // empty: every address of the box
    int port = 8080;
    QString user;
    QString password;  // empty user and password: no password asked
    QString certFile;  // both files set: HTTPS only
    QString keyFile;

    bool operator==(const WebConfig&) const = default;

    bool tls() const { return !certFile.isEmpty() && !keyFile.isEmpty(); }
};

// Reads the whole text of web.cfg with the tag rule of the other configuration files.
WebConfig webConfigFromText(const QString& text);

// The whole web.cfg for `config`: title line, empty line, one tagged line per key, CR LF.
QString webConfigText(const WebConfig& config);

// Why the settings cannot serve a page (a user without a password, only one of the
// certificate and key files), or an empty text when they can.
QString webConfigProblem(const WebConfig& config);

}  // namespace corvane
