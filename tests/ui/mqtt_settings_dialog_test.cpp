#include "support/test_folder.h"
#include "ui/mqtt_settings_dialog.h"
#include "ui/program_setup.h"

#include <QFile>
#include <gtest/gtest.h>

namespace corvane::test {
namespace {

const QByteArray kSaved = "MQTT Settings\r\n\r\n<Enabled>1</Enabled>\r\n<Host>broker.lan</Host>\r\n"
                          "<Port>8883</Port>\r\n<TLS>1</TLS>\r\n<CAFile>/etc/ca.pem</CAFile>\r\n"
                          "<User>owner</User>\r\n<Password>s3cret</Password>\r\n<Topic>mill</Topic>\r\n"
                          "<Discovery>0</Discovery>\r\n<ClientId>mill-1</ClientId>\r\n";

class MqttSettings : public ::testing::Test {
protected:
    std::unique_ptr<MqttSettingsDialog> open()
    {
        auto dialog = std::make_unique<MqttSettingsDialog>(folder.platform(), nullptr);
        dialog->setConnectionTest([this](const MqttConfig& config) {
            tested.push_back(config);
            return answer;
        });
        return dialog;
    }
    QFile::Permissions permissions() const { return QFile::permissions(folder.path(QStringLiteral("mqtt.cfg"))); }

    TestFolder folder;
    std::vector<MqttConfig> tested;
    QString answer;
};

TEST_F(MqttSettings, SavesWhatItOpenedWithByteForByteAndForTheOwnerOnly)
{
    folder.write(QStringLiteral("mqtt.cfg"), kSaved);
    QFile::setPermissions(folder.path(QStringLiteral("mqtt.cfg")), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    auto dialog = open();
    EXPECT_EQ(dialog->host->text(), u"broker.lan");
    EXPECT_EQ(dialog->password->echoMode(), QLineEdit::Password);
    dialog->Save_Click();
    EXPECT_EQ(folder.read(QStringLiteral("mqtt.cfg")), kSaved);
    EXPECT_EQ(permissions() & ~(QFile::ReadUser | QFile::WriteUser), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(MqttSettings, WithoutAFileItOffersTheDefaultsWithPublishingOff)
{
    auto dialog = open();
    EXPECT_FALSE(dialog->enabled->isChecked());
    EXPECT_EQ(dialog->port->text(), u"1883");
    EXPECT_EQ(dialog->topic->text(), u"corvane");
    EXPECT_TRUE(dialog->discovery->isChecked());
    EXPECT_TRUE(dialog->clientId->text().startsWith(u"corvane-"));
    dialog->enabled->setChecked(true);
    dialog->host->setText(QStringLiteral(" 192.168.1.5 "));
    dialog->port->setText(QStringLiteral("not a port"));
    dialog->Save_Click();
    const MqttConfig saved = mqttConfigFromText(QString::fromLatin1(folder.read(QStringLiteral("mqtt.cfg"))), QString());
    EXPECT_TRUE(saved.enabled);
    EXPECT_EQ(saved.host, u"192.168.1.5");
    EXPECT_EQ(saved.port, 1883);
}

TEST_F(MqttSettings, TestConnectionReportsTheOutcomeOfTheSettingsShownWithoutThePassword)
{
    folder.write(QStringLiteral("mqtt.cfg"), kSaved);
    auto dialog = open();
    dialog->port->setText(QStringLiteral("9883"));
    dialog->Test_Click();
    answer = QStringLiteral("Connection Refused: not authorised.");
    dialog->Test_Click();

    ASSERT_EQ(tested.size(), 2u);
    EXPECT_EQ(tested[0].port, 9883);
    EXPECT_EQ(tested[0].password, u"s3cret");
    EXPECT_EQ(folder.user.messages,
              QStringList({QStringLiteral("Connected to broker.lan:9883."),
                           QStringLiteral("No connection to broker.lan:9883: Connection Refused: not authorised.")}));
    EXPECT_EQ(folder.read(QStringLiteral("mqtt.cfg")), kSaved) << "testing saves nothing";
}

TEST_F(MqttSettings, ProgramSetupOpensIt)
{
    ProgramSetup setup(folder.platform(), nullptr);
    bool opened = false;
    folder.user.dialogSteps.push_back([&](QDialog& dialog) {
        opened = dialog.objectName() == u"MqttSettings";
        dialog.reject();
    });
    setup.mqttButton->click();
    EXPECT_TRUE(opened);
    EXPECT_FALSE(folder.exists(QStringLiteral("mqtt.cfg")));
}

}  // namespace
}  // namespace corvane::test
