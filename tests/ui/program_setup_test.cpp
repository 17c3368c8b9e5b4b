#include "support/config_text.h"
#include "support/test_folder.h"
#include "platform/files.h"
#include "text/failure.h"
#include "ui/program_setup.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

class ProgramSetupTest : public ::testing::Test {
protected:
    // Writes prog.cfg, opens the dialog and runs its load step.
    void open()
    {
        folder.write(u"prog.cfg"_s, prog.text());
        openOnFolder();
    }
    void openOnFolder()
    {
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

TEST_F(ProgramSetupTest, StartsWithItsCaptionsAndDefaults)
{
    const ProgramSetup fresh(folder.platform(), nullptr);
    EXPECT_EQ(fresh.windowTitle(), u"Corvane Setup");
    EXPECT_EQ(fresh.objectName(), u"ProgramSetup");
    EXPECT_EQ(fresh.Command1->text(), u"Save Setings");
    EXPECT_EQ(fresh.Command2->text(), u"Abort");
    EXPECT_EQ(fresh.Frame2->title(), u"System Voltage");
    EXPECT_EQ(fresh.Frame1->title(), u"Max System Amps");
    EXPECT_EQ(fresh.Frame3->title(), u"Baud rate");
    EXPECT_EQ(fresh.Option10->text(), u"56600");
    EXPECT_TRUE(fresh.Option2->isChecked());
    EXPECT_TRUE(fresh.Option5->isChecked());
    EXPECT_TRUE(fresh.Option8->isChecked());
    for (const QCheckBox* box : {fresh.Savehtml, fresh.SaveExcel, fresh.LogOn, fresh.DisplayRPM,
                                 fresh.DisplayMessages, fresh.DisplayWS})
        EXPECT_FALSE(box->isChecked());
}

TEST_F(ProgramSetupTest, LoadFillsEveryControlFromTheFile)
{
    prog = {u"2"_s, u"1"_s, u"0"_s, u" 45"_s, u"1"_s, u"0"_s, u"1"_s, u"mph"_s, u"12"_s, u"50"_s, u"9600"_s, u"0"_s};
    open();
    EXPECT_EQ(dialog->PortNumber->text(), u"2");
    EXPECT_TRUE(dialog->Savehtml->isChecked());
    EXPECT_FALSE(dialog->SaveExcel->isChecked());
    EXPECT_EQ(dialog->LogDelay->text(), u" 45");
    EXPECT_TRUE(dialog->LogOn->isChecked());
    EXPECT_FALSE(dialog->DisplayRPM->isChecked());
    EXPECT_TRUE(dialog->DisplayWS->isChecked());
    EXPECT_EQ(dialog->WSUnits->text(), u"mph");
    EXPECT_TRUE(dialog->Option1->isChecked());
    EXPECT_FALSE(dialog->Option2->isChecked());
    EXPECT_TRUE(dialog->Option6->isChecked());
    EXPECT_TRUE(dialog->Option9->isChecked());
    EXPECT_FALSE(dialog->Option8->isChecked());
    EXPECT_FALSE(dialog->DisplayMessages->isChecked());
    EXPECT_TRUE(dialog->loadNotice().isEmpty());
}

TEST_F(ProgramSetupTest, ValuesMatchingNoOptionKeepTheDefaultsAndAreSavedAsThem)
{
    prog.SV = u"36"_s;
    prog.MA = u"15"_s;
    prog.BR = u"19200"_s;
    open();
    EXPECT_TRUE(dialog->Option2->isChecked());
    EXPECT_TRUE(dialog->Option5->isChecked());
    EXPECT_TRUE(dialog->Option8->isChecked());
    dialog->Command1_Click();
    ProgConfig expected = prog;
    expected.SV = u"24"_s;
    expected.MA = u"20"_s;
    expected.BR = u"4800"_s;
    EXPECT_EQ(saved(), expected.text());
}

TEST_F(ProgramSetupTest, TheOptionCaptioned56600StandsFor57600)
{
    prog.BR = u"57600"_s;
    open();
    EXPECT_TRUE(dialog->Option10->isChecked());
    dialog->Command1_Click();
    EXPECT_EQ(saved(), prog.text());

    prog.BR = u"56600"_s;
    open();
    EXPECT_TRUE(dialog->Option8->isChecked());
}

TEST_F(ProgramSetupTest, PortTextsThatAreNumbersAreSavedAsTypedOthersAreRefused)
{
    struct Case {
        QString port;
        bool accepted;
    };
    const Case cases[] = {{u"0"_s, true}, {u"12"_s, true}, {u"2.5"_s, true}, {u" 3 "_s, true},
                          {u""_s, false}, {u"COM1"_s, false}, {u"1,5"_s, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port.toStdString());
        closings.clear();
        folder.user.messages.clear();
        prog.Port = u"1"_s;
        open();
        dialog->PortNumber->setText(c.port);
        dialog->Command1_Click();
        if (c.accepted) {
            ProgConfig expected = prog;
            expected.Port = c.port;
            EXPECT_EQ(saved(), expected.text());
            EXPECT_TRUE(closedBySave());
            EXPECT_TRUE(folder.user.messages.isEmpty());
        } else {
            EXPECT_EQ(saved(), prog.text());
            EXPECT_TRUE(closings.isEmpty());
            EXPECT_EQ(folder.user.messages,
                      QStringList{u"There is a bad number for Port Number. Must be between 1 and 8 ( 1 or 2 most common )"_s});
        }
    }
}

TEST_F(ProgramSetupTest, AbortSavesTheEditsOfThisOpeningWithPortZero)
{
    prog.Port = u"3"_s;
    open();
    dialog->LogDelay->setText(u"45"_s);
    dialog->Option3->setChecked(true);
    dialog->Command2_Click();
    ProgConfig expected = prog;
    expected.Port = u"0"_s;
    expected.LogDelay = u"45"_s;
    expected.SV = u"48"_s;
    EXPECT_EQ(saved(), expected.text());
    EXPECT_EQ(dialog->PortNumber->text(), u"0");
    EXPECT_TRUE(closedBySave());
}

TEST_F(ProgramSetupTest, SaveWritesTheWholeFileByteForByte)
{
    open();
    dialog->PortNumber->setText(u"2"_s);
    dialog->Savehtml->setChecked(true);
    dialog->SaveExcel->setChecked(true);
    dialog->LogDelay->setText(u"abc"_s);
    dialog->LogOn->setChecked(true);
    dialog->DisplayRPM->setChecked(true);
    dialog->DisplayWS->setChecked(true);
    dialog->WSUnits->setText(u"m/s "_s);
    dialog->Option1->setChecked(true);
    dialog->Option6->setChecked(true);
    dialog->Option7->setChecked(true);
    dialog->DisplayMessages->setChecked(false);
    dialog->Command1_Click();
    EXPECT_EQ(saved(), QByteArray("Program Config File\r\n\r\n<Port>2</Port>\r\n<Savehtml>1</Savehtml>\r\n"
                                  "<SaveExcel>1</SaveExcel>\r\n<LogDelay>abc</LogDelay>\r\n<LogOn>1</LogOn>\r\n"
                                  "<DisplayRPM>1</DisplayRPM>\r\n<DisplayWS>1</DisplayWS>\r\n"
                                  "<WSUnits>m/s </WSUnits>\r\n<SV>12</SV>\r\n<MA>50</MA>\r\n<BR>2400</BR>\r\n"
                                  "<dispMessages>0</dispMessages>\r\n\r\n"));
}

TEST_F(ProgramSetupTest, AFileInAnotherOrderWithTextAroundItLoadsTheSameAndIsSavedInOrder)
{
    prog = {u"4"_s, u"1"_s, u"0"_s, u"30"_s, u"0"_s, u"1"_s, u"0"_s, u"knots"_s, u"48"_s, u"10"_s, u"2400"_s, u"1"_s};
    QByteArray shuffled = "my windmill\n";
    for (QByteArray line : prog.text().split('\n')) {
        if (line.startsWith('<'))
            shuffled.prepend(line.trimmed() + " -- ");
    }
    folder.write(u"prog.cfg"_s, shuffled);
    openOnFolder();
    EXPECT_TRUE(dialog->loadNotice().isEmpty());
    dialog->Command1_Click();
    EXPECT_EQ(saved(), prog.text());
}

TEST_F(ProgramSetupTest, AMissingFileOpensWithTheDefaultsSaysSoAndSaveCreatesIt)
{
    openOnFolder();
    EXPECT_EQ(dialog->loadNotice(), u"Not everything could be read; check these before saving:\nprog.cfg could not "
                                    u"be read (File not found: "_s
                                        + folder.path(u"prog.cfg"_s) + u")"_s);
    EXPECT_TRUE(dialog->PortNumber->text().isEmpty());
    EXPECT_TRUE(dialog->Option8->isChecked());
    dialog->PortNumber->setText(u"1"_s);
    dialog->Command1_Click();
    EXPECT_TRUE(saved().startsWith("Program Config File\r\n\r\n<Port>1</Port>\r\n"));
    EXPECT_TRUE(closedBySave());
}

TEST_F(ProgramSetupTest, UnusableValuesOpenWithTheRestAndAreListed)
{
    QByteArray text = prog.text();
    text.replace("<LogOn>0</LogOn>", "<LogOn>2</LogOn>");
    text.replace("<SV>24</SV>", "<SV>twelve</SV>");
    text.replace("<BR>9600</BR>", "");
    folder.write(u"prog.cfg"_s, text);
    openOnFolder();
    EXPECT_EQ(dialog->loadNotice(), u"Not everything could be read; check these before saving:\n"
                                    u"LogOn in prog.cfg is \"2\", not 0 or 1: the box is left cleared\n"
                                    u"SV in prog.cfg is \"twelve\", not a number: 24 is kept\n"
                                    u"BR is missing or misplaced in prog.cfg");
    EXPECT_EQ(dialog->WSUnits->text(), u"km/h");
    EXPECT_TRUE(dialog->DisplayMessages->isChecked());
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

    dialog->setConfigWriter([](const QString& path, const QString& text) { replaceFileAtomically(path, text); });
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

TEST_F(ProgramSetupTest, AFileThatCannotBeReplacedIsReportedAndNothingIsClosed)
{
    open();
    QFile::remove(folder.path(u"prog.cfg"_s));
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"prog.cfg"_s));
    dialog->Command1_Click();
    EXPECT_TRUE(closings.isEmpty());
    ASSERT_EQ(folder.user.messages.size(), 1);
    EXPECT_TRUE(folder.user.messages.front().startsWith(u"prog.cfg could not be saved ("));
}

}  // namespace
}  // namespace corvane::test
