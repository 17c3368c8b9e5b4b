#include "web/web_access.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

QByteArray basic(const QByteArray& pair)
{
    return "Basic " + pair.toBase64();
}

TEST(WebAccess, BasicCredentialsMustMatchBoth)
{
    const QString user = QStringLiteral("owner");
    const QString password = QStringLiteral("pä:ss");
    struct Case {
        QByteArray header;
        bool match;
    };
    const Case cases[] = {
        {basic("owner:p\xc3\xa4:ss"), true},
        {"basic " + QByteArray("owner:p\xc3\xa4:ss").toBase64(), true},
        {basic("owner:p\xc3\xa4:s"), false},
        {basic("owner:p\xc3\xa4:sss"), false},
        {basic("Owner:p\xc3\xa4:ss"), false},
        {basic("owner"), false},
        {basic(":p\xc3\xa4:ss"), false},
        {"Bearer " + QByteArray("owner:p\xc3\xa4:ss").toBase64(), false},
        {"Basic !!!notbase64", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(basicCredentialsMatch(c.header, user, password), c.match) << c.header.constData();
    // A password without a user name takes any name.
    EXPECT_TRUE(basicCredentialsMatch(basic("anyone:pw"), QString(), QStringLiteral("pw")));
    EXPECT_FALSE(basicCredentialsMatch(basic("anyone:pW"), QString(), QStringLiteral("pw")));
}

TEST(WebAccess, OriginMustNameTheRequestsHostAndPort)
{
    struct Case {
        const char* origin;
        const char* host;
        bool tls;
        bool allowed;
    };
    const Case cases[] = {
        {"", "192.168.1.20:8080", false, true},  // a program, not a browser
        {"http://192.168.1.20:8080", "192.168.1.20:8080", false, true},
        {"http://Corvane.LAN:8080", "corvane.lan:8080", false, true},
        {"http://corvane.lan", "corvane.lan:80", false, true},
        {"https://corvane.lan", "corvane.lan", true, true},
        {"http://[::1]:8080", "[::1]:8080", false, true},
        {"http://192.168.1.20:8081", "192.168.1.20:8080", false, false},
        {"http://evil.example:8080", "192.168.1.20:8080", false, false},
        {"https://192.168.1.20:8080", "192.168.1.20:8080", false, true},  // same host and port
        {"http://corvane.lan", "corvane.lan", true, false},  // port 80 against 443
        {"null", "192.168.1.20:8080", false, false},
        {"file://", "192.168.1.20:8080", false, false},
        {"http://192.168.1.20:8080", "", false, false},
        {"http://192.168.1.20:8080", "192.168.1.20:8080/x", false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(originAllowed(c.origin, c.host, c.tls), c.allowed) << c.origin << " / " << c.host;
}

}  // namespace
}  // namespace corvane
