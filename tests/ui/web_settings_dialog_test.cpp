#include "support/test_folder.h"
#include "ui/program_setup.h"
#include "ui/web_settings_dialog.h"

#include <QFile>
#include <gtest/gtest.h>

namespace corvane::test {
namespace {

const QByteArray kSaved = "Web Settings\r\n\r\n<Enabled>1</Enabled>\r\n<Address></Address>\r\n<Port>8443</Port>\r\n"
                          "<User>owner</User>\r\n<Password>s3cret</Password>\r\n<CertFile>/etc/c.pem</CertFile>\r\n"
                          "<KeyFile>/etc/k.pem</KeyFile>\r\n";

const QList<QHostAddress> kBox = {QHostAddress(QStringLiteral("127.0.0.1")), QHostAddress(QStringLiteral("::1")),
                                  QHostAddress(QStringLiteral("192.168.1.20"))};

TEST(WebSettings, SavesWhatItOpenedWithForTheOwnerOnlyAndLinksEveryAddress)
{
    TestFolder folder;
    folder.write(QStringLiteral("web.cfg"), kSaved);
    QFile::setPermissions(folder.path(QStringLiteral("web.cfg")), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    WebSettingsDialog dialog(folder.platform(), nullptr, kBox);
    EXPECT_EQ(dialog.password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.links->text(), u"<a href=\"https://192.168.1.20:8443/\">https://192.168.1.20:8443/</a><br>"
                                    u"<a href=\"https://127.0.0.1:8443/\">https://127.0.0.1:8443/</a>");
    dialog.address->setText(QStringLiteral("127.0.0.1"));
    dialog.certFile->clear();
    dialog.keyFile->clear();
    EXPECT_EQ(dialog.links->text(), u"<a href=\"http://127.0.0.1:8443/\">http://127.0.0.1:8443/</a>");
    dialog.address->clear();
    dialog.certFile->setText(QStringLiteral("/etc/c.pem"));
    dialog.keyFile->setText(QStringLiteral("/etc/k.pem"));
    dialog.Save_Click();
    EXPECT_EQ(folder.read(QStringLiteral("web.cfg")), kSaved);
    EXPECT_EQ(QFile::permissions(folder.path(QStringLiteral("web.cfg"))) & ~(QFile::ReadUser | QFile::WriteUser),
              QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(WebSettings, RefusesHalfSettingsAndOpensFromProgramSetup)
{
    TestFolder folder;
    WebSettingsDialog dialog(folder.platform(), nullptr, kBox);
    EXPECT_FALSE(dialog.enabled->isChecked());
    EXPECT_EQ(dialog.port->text(), u"8080");
    dialog.enabled->setChecked(true);
    dialog.user->setText(QStringLiteral("owner"));
    dialog.Save_Click();
    EXPECT_FALSE(folder.exists(QStringLiteral("web.cfg")));
    ASSERT_EQ(folder.user.messages.size(), 1);
    EXPECT_TRUE(folder.user.messages[0].contains(u"User without a Password"));

    ProgramSetup setup(folder.platform(), nullptr);
    ASSERT_NE(setup.webButton, nullptr);
    EXPECT_EQ(setup.webButton->text(), u"Web...");
    EXPECT_EQ(setup.webButton->parentWidget(), setup.mqttButton->parentWidget());
}

}  // namespace
}  // namespace corvane::test
