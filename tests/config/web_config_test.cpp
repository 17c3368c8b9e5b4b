#include "config/web_config.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

QString file(const char* lines)
{
    return QStringLiteral("Web Settings\r\n\r\n") + QString::fromLatin1(lines);
}

TEST(WebConfig, MissingKeysTakeTheirDefaultsAndEachGivenKeyIsRead)
{
    EXPECT_EQ(webConfigFromText(QString()), WebConfig{});
    EXPECT_EQ(webConfigFromText(file("<Port>0</Port>\r\n<Port>x</Port>")).port, 8080);
    EXPECT_EQ(webConfigFromText(file("<Port>70000</Port>")).port, 8080);
    EXPECT_FALSE(webConfigFromText(file("<Enabled>yes</Enabled>")).enabled);
    EXPECT_FALSE(webConfigFromText(file("<Enabled>1")).enabled);  // one tag alone is no key

    const WebConfig config = webConfigFromText(
        file("<Enabled>1</Enabled>\r\n<Address> 192.168.1.20 </Address>\r\n<Port>8443</Port>\r\n<User>me</User>\r\n"
             "<Password> p<w </Password>\r\n<CertFile>/etc/c.pem</CertFile>\r\n<KeyFile>/etc/k.pem</KeyFile>\r\n"));
    EXPECT_TRUE(config.enabled);
    EXPECT_EQ(config.address, u"192.168.1.20");
    EXPECT_EQ(config.port, 8443);
    EXPECT_EQ(config.user, u"me");
    EXPECT_EQ(config.password, u" p<w ");  // kept as written, blanks and all
    EXPECT_EQ(config.certFile, u"/etc/c.pem");
    EXPECT_EQ(config.keyFile, u"/etc/k.pem");
    EXPECT_TRUE(config.tls());
}

TEST(WebConfig, WritesEveryKeyAndReadsBackTheSame)
{
    WebConfig config;
    config.enabled = true;
    config.address = QStringLiteral("127.0.0.1");
    config.port = 9000;
    config.user = QStringLiteral("owner");
    config.password = QStringLiteral("s3cret");
    const QString text = webConfigText(config);
    EXPECT_EQ(text, QStringLiteral("Web Settings\r\n\r\n<Enabled>1</Enabled>\r\n<Address>127.0.0.1</Address>\r\n"
                                   "<Port>9000</Port>\r\n<User>owner</User>\r\n<Password>s3cret</Password>\r\n"
                                   "<CertFile></CertFile>\r\n<KeyFile></KeyFile>\r\n"));
    EXPECT_EQ(webConfigFromText(text), config);
}

TEST(WebConfig, HalfSettingsAreProblems)
{
    struct Case {
        const char* lines;
        bool problem;
    };
    const Case cases[] = {
        {"", false},
        {"<User>me</User><Password>pw</Password>", false},
        {"<Password>pw</Password>", false},  // a password alone: any user name will do
        {"<User>me</User>", true},
        {"<CertFile>c.pem</CertFile>", true},
        {"<KeyFile>k.pem</KeyFile>", true},
        {"<CertFile>c.pem</CertFile><KeyFile>k.pem</KeyFile>", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(!webConfigProblem(webConfigFromText(file(c.lines))).isEmpty(), c.problem) << c.lines;
}

}  // namespace
}  // namespace corvane
