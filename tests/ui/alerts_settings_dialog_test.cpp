#include "support/test_folder.h"
#include "ui/alerts_settings_dialog.h"
#include "ui/program_setup.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

class AlertSettings : public ::testing::Test {
protected:
    std::unique_ptr<AlertsSettingsDialog> open(int systemVolts)
    {
        auto dialog = std::make_unique<AlertsSettingsDialog>(folder.platform(), systemVolts, nullptr);
        dialog->setTestSender([this](const AlertChange& change, const AlertsConfig& config) {
            sent.push_back(change);
            sentWith.push_back(config);
        });
        return dialog;
    }

    TestFolder folder;
    std::vector<AlertChange> sent;
    std::vector<AlertsConfig> sentWith;
};

TEST_F(AlertSettings, WithoutAFileItOffersAndSavesTheDefaultsOfTheChosenBank)
{
    auto dialog = open(48);
    EXPECT_TRUE(dialog->enabled->isChecked());
    EXPECT_EQ(dialog->low->text(), u"47.2");
    EXPECT_EQ(dialog->highClear->text(), u"56.8");
    EXPECT_TRUE(dialog->defaults->text().contains(u"48 V bank: Low 47.2, LowClear 49.6, High 59.2, HighClear 56.8"));
    dialog->high->clear();
    dialog->command->setText(QStringLiteral("/usr/local/bin/alert-ntfy --quiet"));
    dialog->Save_Click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(folder.read(QStringLiteral("alerts.cfg")),
              QByteArray("Alert Settings\r\n\r\n<Enabled>1</Enabled>\r\n<Low>47.2</Low>\r\n<LowClear>49.6</LowClear>\r\n"
                         "<High></High>\r\n<HighClear>56.8</HighClear>\r\n<Delay>60</Delay>\r\n<NoData>120</NoData>\r\n"
                         "<Command>/usr/local/bin/alert-ntfy --quiet</Command>\r\n"));
}

TEST_F(AlertSettings, RefusesContradictionsAndShowsAFileAsWritten)
{
    folder.write(QStringLiteral("alerts.cfg"), "Alert Settings\r\n\r\n<Low>12</Low><LowClear>11</LowClear>\r\n");
    auto dialog = open(12);
    EXPECT_EQ(dialog->low->text(), u"12");
    EXPECT_EQ(dialog->lowClear->text(), u"11");
    struct Case {
        QLineEdit* field;
        const char* text;
        const char* problem;
    };
    const Case cases[] = {
        {dialog->lowClear, "11", "LowClear 11 is below Low 11.8"},
        {dialog->delay, "0", "Delay 0 is not positive"},
        {dialog->noData, "soon", "NoData \"soon\" is not a number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        dialog->Defaults_Click();
        c.field->setText(QString::fromLatin1(c.text));
        folder.user.messages.clear();
        dialog->Save_Click();
        ASSERT_EQ(folder.user.messages.size(), 1);
        EXPECT_TRUE(folder.user.messages[0].contains(QString::fromLatin1(c.problem))) << folder.user.messages[0].toStdString();
        EXPECT_NE(dialog->result(), QDialog::Accepted);
    }
    EXPECT_EQ(folder.read(QStringLiteral("alerts.cfg")), "Alert Settings\r\n\r\n<Low>12</Low><LowClear>11</LowClear>\r\n");
}

TEST_F(AlertSettings, SendsOneTestAlertWithTheCommandShownAndLogsNothing)
{
    auto dialog = open(24);
    dialog->command->setText(QStringLiteral("/opt/buzz"));
    dialog->Test_Click();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].key, u"test");
    EXPECT_TRUE(sent[0].raised);
    EXPECT_EQ(sent[0].since, folder.clock.now());
    EXPECT_EQ(sentWith[0].command, u"/opt/buzz");
    EXPECT_FALSE(folder.exists(QStringLiteral("alerts.txt")));
    EXPECT_FALSE(folder.exists(QStringLiteral("alerts.cfg")));
}

TEST_F(AlertSettings, ProgramSetupOpensItForTheBankChosenThere)
{
    ProgramSetup setup(folder.platform(), nullptr);
    setup.Form_Load();
    setup.Option1->setChecked(true);  // the first bank, 12 V
    QString lowShown;
    folder.user.dialogSteps.push_back([&lowShown](QDialog& dialog) {
        lowShown = static_cast<AlertsSettingsDialog&>(dialog).low->text();
        dialog.reject();
    });
    setup.alertsButton->click();
    EXPECT_TRUE(folder.user.events.contains(QStringLiteral("dialog: AlertSettings")));
    EXPECT_EQ(lowShown, u"11.8");
}

}  // namespace
}  // namespace corvane::test
