#pragma once

#include "web/http_endpoint.h"
#include "web/web_snapshot.h"

#include <QString>
#include <functional>
#include <optional>

namespace corvane {

// What the site needs to know that does not change while it runs.
struct WebSiteSettings {
    QString programFolder;
    QString user;      // with the password: every path asks for these
    QString password;
    bool tls = false;
    QByteArray pageSettingsJson = QByteArrayLiteral("{}");  // the body of /api/config
    QString version;
};

// The answers of the page's paths. Reads only the latest snapshot, the page's compiled-in
// files and, by a checked date, the files of logs/ and errorlog.txt.
class WebSite {
public:
    using SnapshotSource = std::function<WebSnapshot()>;

    WebSite(WebSiteSettings settings, SnapshotSource snapshot);

    // The reply, or nothing when a WebSocket upgrade may go ahead.
    std::optional<WebReply> answer(const WebRequest& request) const;

private:
    WebReply route(const WebRequest& request) const;

    WebSiteSettings m_settings;
    SnapshotSource m_snapshot;
};

// The body of /api/config from prog.cfg's text: what the page shows and how often new
// records come.
QByteArray pageSettingsJson(const QString& programConfigText);

}  // namespace corvane
