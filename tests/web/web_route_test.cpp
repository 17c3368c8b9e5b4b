#include "web/web_route.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(WebRoute, DaysPassOnlyAsRealDates)
{
    struct Case {
        const char* path;
        WebEndpoint endpoint;
        QDate date;
    };
    const Case cases[] = {
        {"/api/day/2026-12-07", WebEndpoint::Day, QDate(2026, 12, 7)},
        {"/api/day/2024-02-29", WebEndpoint::Day, QDate(2024, 2, 29)},
        {"/api/day/2026-02-29", WebEndpoint::BadRequest, {}},
        {"/api/day/2026-13-01", WebEndpoint::BadRequest, {}},
        {"/api/day/0000-01-01", WebEndpoint::BadRequest, {}},
        {"/api/day/2026-1-07", WebEndpoint::BadRequest, {}},
        {"/api/day/+2026-1-7", WebEndpoint::BadRequest, {}},
        {"/api/day/2026-12-07/", WebEndpoint::BadRequest, {}},
        {"/api/day/2026-12-07/../../prog.cfg", WebEndpoint::BadRequest, {}},
        {"/api/day/..", WebEndpoint::BadRequest, {}},
        {"/api/day/%2e%2e/%2e%2e/etc", WebEndpoint::BadRequest, {}},
        {"/api/day/2026-12-0%37", WebEndpoint::BadRequest, {}},
        {"/api/day/2026-12-07%00", WebEndpoint::BadRequest, {}},
        {"/api/day/", WebEndpoint::BadRequest, {}},
        {"/api/day", WebEndpoint::NotFound, {}},
        {"/api/alerts", WebEndpoint::Alerts, {}},
        {"/api/days/2026-12-07", WebEndpoint::NotFound, {}},
    };
    for (const Case& c : cases) {
        const WebRoute route = routeRequest(c.path, QByteArray());
        EXPECT_EQ(route.endpoint, c.endpoint) << c.path;
        EXPECT_EQ(route.date, c.date) << c.path;
        if (c.endpoint == WebEndpoint::BadRequest) {
            EXPECT_FALSE(route.error.isEmpty()) << c.path;
        }
    }
}

TEST(WebRoute, QueriesAreCheckedWhole)
{
    struct Case {
        const char* path;
        const char* query;
        WebEndpoint endpoint;
        int limit;
        QDate from;
        QDate to;
    };
    const QDate none;
    const Case cases[] = {
        {"/api/errors", "", WebEndpoint::Errors, 50, none, none},
        {"/api/errors", "limit=1", WebEndpoint::Errors, 1, none, none},
        {"/api/errors", "limit=1000", WebEndpoint::Errors, 1000, none, none},
        {"/api/errors", "limit=0", WebEndpoint::BadRequest, 50, none, none},
        {"/api/errors", "limit=1001", WebEndpoint::BadRequest, 50, none, none},
        {"/api/errors", "limit=-5", WebEndpoint::BadRequest, 50, none, none},
        {"/api/errors", "limit=1e3", WebEndpoint::BadRequest, 50, none, none},
        {"/api/errors", "limit=%2010", WebEndpoint::BadRequest, 50, none, none},
        {"/api/errors", "limit=99999999999999999999", WebEndpoint::BadRequest, 50, none, none},
        {"/api/errors", "limit=", WebEndpoint::BadRequest, 50, none, none},
        {"/api/errors", "limit=5&limit=6", WebEndpoint::BadRequest, 50, none, none},
        {"/api/errors", "count=5", WebEndpoint::BadRequest, 50, none, none},
        {"/api/summary", "", WebEndpoint::Summary, 50, none, none},
        {"/api/summary", "from=2026-12-01&to=2026-12-31", WebEndpoint::Summary, 50, QDate(2026, 12, 1), QDate(2026, 12, 31)},
        {"/api/summary.csv", "to=2026-12-31", WebEndpoint::SummaryCsv, 50, none, QDate(2026, 12, 31)},
        {"/api/summary", "from=2026-12-32", WebEndpoint::BadRequest, 50, none, none},
        {"/api/summary", "from=yesterday", WebEndpoint::BadRequest, 50, none, none},
        {"/api/summary.csv", "from=2026-12-01&from=2026-12-02", WebEndpoint::BadRequest, 50, none, none},
    };
    for (const Case& c : cases) {
        const WebRoute route = routeRequest(c.path, c.query);
        EXPECT_EQ(route.endpoint, c.endpoint) << c.path << '?' << c.query;
        if (c.endpoint == WebEndpoint::BadRequest)
            continue;
        EXPECT_EQ(route.limit, c.limit) << c.query;
        EXPECT_EQ(route.from, c.from) << c.query;
        EXPECT_EQ(route.to, c.to) << c.query;
    }
}

TEST(WebRoute, EachPathHasItsEndpointAndThePageFilesTheirTypes)
{
    EXPECT_EQ(routeRequest("/api/live", {}).endpoint, WebEndpoint::Live);
    EXPECT_EQ(routeRequest("/ws", {}).endpoint, WebEndpoint::Socket);
    EXPECT_EQ(routeRequest("/metrics", {}).endpoint, WebEndpoint::Metrics);
    EXPECT_EQ(routeRequest("/api/config", {}).endpoint, WebEndpoint::Settings);
    EXPECT_EQ(routeRequest("/metrics/", {}).endpoint, WebEndpoint::NotFound);
    EXPECT_EQ(routeRequest("/app.js/../prog.cfg", {}).endpoint, WebEndpoint::NotFound);
    const WebRoute page = routeRequest("/", {});
    EXPECT_EQ(page.endpoint, WebEndpoint::PageFile);
    EXPECT_EQ(page.file, u":/page/index.html");
    EXPECT_EQ(page.contentType, u"text/html; charset=utf-8");
    EXPECT_EQ(routeRequest("/app.js", {}).contentType, u"text/javascript; charset=utf-8");
    EXPECT_EQ(routeRequest("/uPlot.min.css", {}).contentType, u"text/css; charset=utf-8");
}

}  // namespace
}  // namespace corvane
