#include "platform/files.h"
#include "support/config_text.h"
#include "support/test_folder.h"
#include "text/failure.h"
#include "ui/program_setup.h"

#include <QSaveFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

class ProgramSetupTest : public ::testing::Test {
protected:
    // Writes prog.cfg (unless told not to), opens the dialog and runs its load step.
    void open(bool writeFile = true)
    {
        if (writeFile)
            folder.write(u"prog.cfg"_s, prog.text());
        closings.clear();
        folder.user.messages.clear();
        dialog = std::make_unique<ProgramSetup>(folder.platform(), nullptr);
        QObject::connect(dialog.get(), &QDialog::finished, [this](int result) { closings << result; });
        dialog->Form_Load();
    }
    QByteArray saved() const { return folder.read(u"prog.cfg"_s); }
    bool closedBySave() const { return closings == QList<int>{QDialog::Accepted}; }

    TestFolder folder;
    ProgConfig prog;
    std::unique_ptr<ProgramSetup> dialog;
    QList<int> closings;
};

TEST_F(ProgramSetupTest, SavesWhatItLoadedWithEveryKeyInItsPlace)
{
    prog = {u"2"_s, u"1"_s, u"0"_s, u" 45"_s, u"0"_s, u"1"_s, u"0"_s, u"mph"_s, u"12"_s, u"50"_s, u"9600"_s, u"1"_s};
    open();
    EXPECT_TRUE(dialog->Savehtml->isChecked() && dialog->DisplayRPM->isChecked());
    EXPECT_FALSE(dialog->LogOn->isChecked() || dialog->DisplayWS->isChecked());
    EXPECT_TRUE(dialog->Option1->isChecked() && dialog->Option6->isChecked() && dialog->Option9->isChecked());
    dialog->Command1_Click();
    EXPECT_EQ(saved(), prog.text());
    EXPECT_TRUE(closedBySave());
}

TEST_F(ProgramSetupTest, ValuesMatchingNoOptionKeepTheDefaultsAnd57600SelectsTheOption56600)
{
    prog.SV = u"36"_s;
    prog.MA = u"15"_s;
    prog.BR = u"57600"_s;
    open();
    EXPECT_TRUE(dialog->Option2->isChecked());
    EXPECT_TRUE(dialog->Option5->isChecked());
    EXPECT_EQ(dialog->Option10->text(), u"56600");
    EXPECT_TRUE(dialog->Option10->isChecked());
    dialog->Command1_Click();
    ProgConfig expected = prog;
    expected.SV = u"24"_s;
    expected.MA = u"20"_s;
    EXPECT_EQ(saved(), expected.text());
}

TEST_F(ProgramSetupTest, PortTextsThatAreNumbersAreSavedAsTypedOthersAreRefused)
{
    const std::pair<QString, bool> cases[] = {{u"0"_s, true},  {u"12"_s, true},   {u"2.5"_s, true},
                                              {u""_s, false}, {u"COM1"_s, false}, {u"1,5"_s, false}};
    for (const auto& [port, accepted] : cases) {
        SCOPED_TRACE(port.toStdString());
        open();
        dialog->PortNumber->setText(port);
        dialog->Command1_Click();
        ProgConfig expected = prog;
        expected.Port = accepted ? port : prog.Port;
        EXPECT_EQ(saved(), expected.text());
        EXPECT_EQ(closedBySave(), accepted);
        EXPECT_EQ(folder.user.messages,
                  accepted ? QStringList() : QStringList{u"There is a bad number for Port Number. Must be between 1 "
                                                         u"and 8 ( 1 or 2 most common )"_s});
    }
}

TEST_F(ProgramSetupTest, AbortSavesTheEditsOfThisOpeningWithPortZero)
{
    prog.Port = u"3"_s;
    open();
    dialog->LogDelay->setText(u"45"_s);
    dialog->Command2_Click();
    ProgConfig expected = prog;
    expected.Port = u"0"_s;
    expected.LogDelay = u"45"_s;
    EXPECT_EQ(saved(), expected.text());
    EXPECT_TRUE(closedBySave());
}

TEST_F(ProgramSetupTest, AMissingFileOpensWithTheDefaultsSaysSoAndSaveCreatesIt)
{
    open(false);
    EXPECT_EQ(dialog->loadNotice(), u"Not everything could be read; check these before saving:\nprog.cfg could not "
                                    u"be read (File not found: "_s
                                        + folder.path(u"prog.cfg"_s) + u")"_s);
    EXPECT_TRUE(dialog->Option8->isChecked());
    dialog->PortNumber->setText(u"1"_s);
    dialog->Command1_Click();
    EXPECT_TRUE(saved().startsWith("Program Config File\r\n\r\n<Port>1</Port>\r\n"));
    EXPECT_TRUE(closedBySave());
}

TEST_F(ProgramSetupTest, ASaveInterruptedBeforeTheReplaceLeavesTheOldFileAndTheDialogOpen)
{
    open();
    dialog->PortNumber->setText(u"7"_s);
    dialog->setConfigWriter([](const QString& path, const QString& text) {
        QSaveFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toLatin1());
        ASSERT_TRUE(file.flush());  // the new text is whole in the temporary file
        throw Failure(u"Interrupted before the replace"_s);
    });
    dialog->Command1_Click();
    EXPECT_EQ(saved(), prog.text());
    EXPECT_TRUE(closings.isEmpty());
    EXPECT_EQ(folder.user.messages,
              QStringList{u"prog.cfg could not be saved (Interrupted before the replace). The old file is unchanged."_s});

    dialog->setConfigWriter(replaceFileAtomically);
    dialog->Command1_Click();
    EXPECT_TRUE(saved().contains("<Port>7</Port>"));
    EXPECT_TRUE(closedBySave());
}

TEST_F(ProgramSetupTest, SaveReplacesTheFileRatherThanRewritingIt)
{
    open();
    // A second name for the old file keeps the old text only if the file was replaced.
    ASSERT_EQ(::link(QFile::encodeName(folder.path(u"prog.cfg"_s)).constData(),
                     QFile::encodeName(folder.path(u"before.cfg"_s)).constData()),
              0);
    dialog->PortNumber->setText(u"5"_s);
    dialog->Command1_Click();
    EXPECT_TRUE(saved().contains("<Port>5</Port>"));
    EXPECT_EQ(folder.read(u"before.cfg"_s), prog.text());
}

}  // namespace
}  // namespace corvane::test
