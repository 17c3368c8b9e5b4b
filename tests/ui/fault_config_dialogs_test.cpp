// Damaged configuration files in the setup dialog, the calibration dialog and the log
// viewer: each opens with what it could read and says what it could not; the dialogs save
// a whole file that keeps every value they read; the viewer refuses to load until prog.cfg
// gives it its values.
#include "fault_config_fixture.h"
#include "graph_fixture.h"

#include "config/tag_value.h"
#include "text/numeric_text.h"
#include "ui/calibrate.h"
#include "ui/graph_lists.h"
#include "viewer/day_file_text.h"

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

const QString kFrame = u"[<V>745</V><I>532</I><R>7</R><M>1</M><S>13</S><C>1297</C>]"_s;

class DamagedConfigInDialogs : public GraphTest {
protected:
    DamagedConfigInDialogs()
    {
        prog = {u"3"_s, u"0"_s, u"1"_s, u"30"_s, u"1"_s, u"1"_s, u"1"_s, u"mph"_s, u"48"_s, u"50"_s, u"9600"_s, u"1"_s};
        calibration = {u"2"_s, u"512"_s, u"10"_s, u"14"_s, u"2"_s};
    }
    QByteArray file(const QString& name) const { return folder.read(name); }

    CalibrationConfig calibration;
};

TEST_F(DamagedConfigInDialogs, SetupOverProgCfgCutAtEveryByteSavesWhatItReadOrRefusesWithoutAPort)
{
    const QByteArray full = prog.text();
    for (qsizetype size = 0; size <= full.size() && !HasFailure(); ++size) {
        SCOPED_TRACE(size);
        const QString cut = QString::fromLatin1(full.left(size));
        writeAfresh(folder, u"prog.cfg"_s, full.left(size));
        folder.user.messages.clear();
        ProgramSetup setup(folder.platform(), nullptr);
        setup.setConfigWriter(saveAfresh);
        setup.Form_Load();
        EXPECT_EQ(setup.loadNotice(), missingNotice(kSetupNoticeStart, kProgKeys, cut, u"prog.cfg"_s));
        setup.Command1_Click();

        if (!complete(cut, u"Port"_s)) {
            EXPECT_EQ(folder.user.messages, QStringList{u"There is a bad number for Port Number. Must be between 1 "
                                                        u"and 8 ( 1 or 2 most common )"_s});
            EXPECT_EQ(file(u"prog.cfg"_s), full.left(size));
            EXPECT_NE(setup.result(), QDialog::Accepted);
            continue;
        }
        EXPECT_EQ(file(u"prog.cfg"_s), savedFromCut(prog, cut, prog.Port).text());
        EXPECT_TRUE(folder.user.messages.isEmpty());
        EXPECT_EQ(setup.result(), QDialog::Accepted);
    }
}

TEST_F(DamagedConfigInDialogs, CalibrationOverSettingsCfgCutAtEveryByteSavesWhatItReadAndItsStartingTexts)
{
    folder.write(u"prog.cfg"_s, prog.text());
    const QByteArray full = calibration.text();
    for (qsizetype size = 0; size <= full.size() && !HasFailure(); ++size) {
        SCOPED_TRACE(size);
        const QString cut = QString::fromLatin1(full.left(size));
        writeAfresh(folder, u"settings.cfg"_s, full.left(size));
        Calibrate dialog(folder.platform(), nullptr);
        dialog.setConfigWriter(saveAfresh);
        dialog.Form_Load();
        EXPECT_TRUE(folder.ports.back()->isOpen());
        EXPECT_EQ(dialog.loadNotice(), missingNotice(kCalibrateNoticeStart, kCalibrationKeys, cut, u"settings.cfg"_s));
        dialog.Command1_Click();
        EXPECT_EQ(file(u"settings.cfg"_s), savedFromCut(calibration, cut).text());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_TRUE(folder.user.messages.isEmpty());
}

TEST_F(DamagedConfigInDialogs, CalibrationKeepsUnusableValuesAsStoredAndSavesThemBack)
{
    folder.write(u"prog.cfg"_s, prog.text());
    const QString megabyteOfBlanks(1 << 20, u' ');
    const struct {
        const char* name;
        std::function<void(CalibrationConfig&)> damage;
        const char* notice;
    } cases[] = {
        {"AmpDivider in words", [](CalibrationConfig& c) { c.AmpDivider = u"ten"_s; },
         "AmpDivider in settings.cfg is \"ten\", not a number: shown as stored"},
        {"VoltOffset in words", [](CalibrationConfig& c) { c.VoltOffset = u"x"_s; },
         "VoltOffset in settings.cfg is \"x\", not a number: press Zero with no current flowing"},
        {"zero dividers", [](CalibrationConfig& c) { c.VoltDivider = c.AmpDivider = c.WSDivider = u"0"_s; }, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalibrationConfig damaged = calibration;
        c.damage(damaged);
        folder.write(u"settings.cfg"_s, damaged.text());
        Calibrate dialog(folder.platform(), nullptr);
        dialog.Form_Load();
        EXPECT_EQ(dialog.loadNotice(), c.notice ? kCalibrateNoticeStart + u'\n' + QLatin1String(c.notice) : QString());
        const QString voltsBefore = dialog.txtBattVadjusted->text();
        const QString ampsBefore = dialog.txtBattAadjusted->text();
        folder.ports.back()->deliver(kFrame);
        EXPECT_EQ(dialog.txtBattV->text(), u"745");
        // A preview that cannot be worked out keeps its text.
        if (damaged.VoltDivider == u"0") {
            EXPECT_EQ(dialog.txtBattVadjusted->text(), voltsBefore);
        }
        EXPECT_EQ(dialog.txtBattAadjusted->text(), ampsBefore);
        dialog.Command1_Click();
        EXPECT_EQ(file(u"settings.cfg"_s), damaged.text());
    }

    // A megabyte value comes back shorter, but means the same to the main window.
    CalibrationConfig huge = calibration;
    huge.VoltDivider = u'2' + megabyteOfBlanks;
    folder.write(u"settings.cfg"_s, huge.text());
    Calibrate dialog(folder.platform(), nullptr);
    dialog.Form_Load();
    dialog.Command1_Click();
    const QString saved = QString::fromLatin1(file(u"settings.cfg"_s));
    EXPECT_EQ(numericValue(TagValue(saved, u"VoltDivider"_s)), 2.0);
    EXPECT_EQ(TagValue(saved, u"WSDivider"_s), u"2");
}

TEST_F(DamagedConfigInDialogs, ViewerOverProgCfgCutAtEveryByteNamesTheFirstValueItLacks)
{
    writeDay(recordLine(u"12:00"_s) + recordLine(u"12:01"_s));
    const QByteArray full = prog.text();
    for (qsizetype size = 0; size <= full.size() && !HasFailure(); ++size) {
        SCOPED_TRACE(size);
        const QString cut = QString::fromLatin1(full.left(size));
        QString lacking;
        for (const QString& key : {u"LogDelay"_s, u"SV"_s, u"MA"_s, u"WSUnits"_s}) {
            if (lacking.isEmpty() && !complete(cut, key))
                lacking = key;
        }
        writeAfresh(folder, u"prog.cfg"_s, full.left(size));
        folder.user.messages.clear();
        const QByteArray dayBefore = readLogs();
        graph = std::make_unique<Graph>(folder.platform(), nullptr);
        graph->Form_Load();
        choose();
        if (lacking.isEmpty()) {
            EXPECT_TRUE(folder.user.messages.isEmpty());
            EXPECT_EQ(graph->records.recordCount, 2);
            continue;
        }
        const QString message = u"prog.cfg holds no usable "_s + lacking
                                + u" value, so no log can be displayed. Save the settings in Program Setup first."_s;
        EXPECT_EQ(folder.user.messages, QStringList({message, message}));
        EXPECT_EQ(graph->records.recordCount, 0);
        EXPECT_EQ(readLogs(), dayBefore);
    }
}

TEST_F(DamagedConfigInDialogs, ViewerDrawsWithZeroScalesAndTakesTheFirstOfDuplicatedKeys)
{
    writeDay(recordLine(u"12:00"_s) + recordLine(u"12:01"_s));
    prog.LogDelay = u"0"_s;
    prog.SV = u"0"_s;
    prog.MA = u"0"_s;
    prog.WSUnits = QString(1 << 20, u'k');
    open();
    choose();
    EXPECT_TRUE(folder.user.messages.isEmpty());
    EXPECT_EQ(graph->stime->text() + u'-' + graph->ftime->text(), u"12:00-12:01");
    EXPECT_EQ(graph->VMax1->text() + u'|' + graph->VMin1->text(), u"0.00 V|0.00 V");
    EXPECT_EQ(graph->AMax1->text() + u'|' + graph->AMin1->text(), u"0.0 A|0.0 A");
    EXPECT_EQ(graph->windowWattHours, 0);
    EXPECT_TRUE(graph->SMax1->text() == u"100 "_s + prog.WSUnits);

    writeDay(recordLine(u"12:00"_s, u"12"_s, u"1"_s, u"100"_s) + recordLine(u"12:01"_s, u"12"_s, u"1"_s, u"200"_s)
             + recordLine(u"12:02"_s, u"12"_s, u"1"_s, u"300"_s));
    prog = ProgConfig();
    folder.write(u"prog.cfg"_s, prog.text().replace("<LogDelay>", "<LogDelay>3600</LogDelay>\r\n<LogDelay>"));
    graph = std::make_unique<Graph>(folder.platform(), nullptr);
    graph->Form_Load();
    choose();
    EXPECT_EQ(graph->LogDelay, u"3600");
    // Each record after the first stands for an hour: 200 W and 300 W.
    EXPECT_DOUBLE_EQ(graph->windowWattHours, 500);
    EXPECT_EQ(graph->watts->text(), u"500 Wh");
}

}  // namespace
}  // namespace corvane::test
