// Damaged configuration files at start-up: a prog.cfg or settings.cfg cut short at every
// byte, and files with duplicated, reversed or lower-case tags, unusable dividers and
// megabyte values. Start-up applies what it could read, the port-problem recovery runs
// when the port cannot be opened (the user answers it with Abort), and nothing crashes.
#include "main_window_fixture.h"

#include "ui/calibrate.h"
#include "ui/program_setup.h"

#include <QDir>

#include <functional>
#include <stdexcept>

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

const QString kPortProblem = u"There is a possible Port Number problem. Check available PORTS"_s;
const QString kNoticeStart = u"Not everything could be read; check these before saving:"_s;
const QString kFrame = u"[<V>745</V><I>532</I><R>7</R><S>13</S>]"_s;
const QStringList kProgKeys = {u"Port"_s,      u"Savehtml"_s, u"SaveExcel"_s, u"LogDelay"_s,
                               u"LogOn"_s,     u"DisplayRPM"_s, u"DisplayWS"_s, u"WSUnits"_s,
                               u"SV"_s,        u"MA"_s,       u"BR"_s,        u"dispMessages"_s};
const QStringList kCalibrationKeys = {u"VoltDivider"_s, u"VoltOffset"_s, u"AmpDivider"_s, u"RPMDivider"_s,
                                      u"WSDivider"_s};

// A key can be read from a file cut short only if its closing tag survived whole.
bool complete(const QString& text, const QString& key) { return text.contains(u"</"_s + key + u'>'); }

QByteArray portNotAvailable(const QString& error)
{
    return (u"2010_03_07  14:05  port not available  "_s + error + u" <RB>  <IM> \r\n"_s).toLatin1();
}

QByteArray replaced(QByteArray text, const char* before, const QByteArray& after)
{
    if (!text.contains(before))
        throw std::logic_error("nothing to replace");
    return text.replace(before, after);
}

class ConfigFaultStartUp : public MainWindowTest {
protected:
    ConfigFaultStartUp()
    {
        prog = {u"3"_s, u"0"_s, u"1"_s, u"30"_s, u"1"_s, u"1"_s, u"1"_s, u"mph"_s, u"48"_s, u"50"_s, u"9600"_s, u"1"_s};
        calibration = {u"2"_s, u"512"_s, u"10"_s, u"14"_s, u"2"_s};
        // One Abort answers the recovery; a second round would mean it did not end.
        folder.user.onMessage = [this](const QString&) {
            if (folder.user.messages.size() > 3)
                throw std::runtime_error("the port-problem recovery does not end");
        };
    }
    // A new window's start-up over the two files, the user aborting a setup dialog.
    void startWith(const QByteArray& progText, const QByteArray& settingsText)
    {
        window.reset();
        folder.write(u"prog.cfg"_s, progText);
        folder.write(u"settings.cfg"_s, settingsText);
        QFile::remove(folder.path(u"errorlog.txt"_s));
        folder.user.messages.clear();
        folder.user.events.clear();
        folder.user.dialogSteps.clear();
        setupNotice = u"(not shown)"_s;
        captionDuringSetup.clear();
        folder.user.dialogSteps.push_back([this](QDialog& dialog) {
            auto& setup = dynamic_cast<ProgramSetup&>(dialog);
            setupNotice = setup.loadNotice();
            captionDuringSetup = errorCaption();
            setup.Command2_Click();
        });
        create();
        window->Form_Load();
    }
    FakeSerialPort& windowPort() const { return *folder.ports.back(); }
    bool recovered() const
    {
        return folder.user.events == QStringList{u"message: "_s + kPortProblem, u"dialog: ProgramSetup"_s};
    }
    QString errorCaption() const { return window->ErrorString->text(); }
    // For the hundreds of start-ups of a cut file: each entry shows on screen at once
    // instead of waiting for the disk to take it.
    void keepTheErrorLogOffTheDisk() { QDir(folder.path()).mkdir(u"errorlog.txt"_s); }

    QString setupNotice;
    QString captionDuringSetup;
};

TEST_F(ConfigFaultStartUp, ProgCfgCutShortAtEveryByte)
{
    const QByteArray full = prog.text();
    keepTheErrorLogOffTheDisk();
    for (qsizetype size = 0; size <= full.size() && !HasFailure(); ++size) {
        SCOPED_TRACE(size);
        const QString cut = QString::fromLatin1(full.left(size));
        const auto kept = [&](const QString& key, const QString& value, const QString& otherwise) {
            return complete(cut, key) ? value : otherwise;
        };
        startWith(full.left(size), calibration.text());

        if (complete(cut, u"Port"_s) && complete(cut, u"BR"_s)) {
            // Port and baud rate come through, so the port opens and logging starts; a
            // later key that is missing stops the load before the calibration is read.
            const bool whole = complete(cut, u"dispMessages"_s);
            EXPECT_TRUE(folder.user.events.isEmpty());
            EXPECT_EQ(errorCaption(), u" Error trap message  -     ");
            EXPECT_TRUE(windowPort().isOpen());
            EXPECT_EQ(windowPort().settings(), u"9600,N,8,1");
            EXPECT_EQ(window->Timer1.interval(), 30000);
            EXPECT_EQ(window->VoltDivider, whole ? u"2"_s : QString());
            EXPECT_EQ(liveRows().size(), whole ? 6 : 0);
            continue;
        }
        ASSERT_TRUE(recovered()) << folder.user.events.join(u'\n').toStdString();
        EXPECT_EQ(captionDuringSetup,
                  u"  Last Error trapped  14:05  ---  port not available  "_s
                      + (complete(cut, u"Port"_s) ? u"Invalid port settings: ,N,8,1"_s : u"Type mismatch"_s));
        QStringList notice{kNoticeStart};
        for (const QString& key : kProgKeys) {
            if (!complete(cut, key))
                notice << key + u" is missing or misplaced in prog.cfg"_s;
        }
        EXPECT_EQ(setupNotice, notice.join(u'\n'));
        // Abort saved every value that could be read, with the dialog's defaults for the rest.
        const ProgConfig saved{u"0"_s,
                               kept(u"Savehtml"_s, prog.Savehtml, u"0"_s),
                               kept(u"SaveExcel"_s, prog.SaveExcel, u"0"_s),
                               kept(u"LogDelay"_s, prog.LogDelay, QString()),
                               kept(u"LogOn"_s, prog.LogOn, u"0"_s),
                               kept(u"DisplayRPM"_s, prog.DisplayRPM, u"0"_s),
                               kept(u"DisplayWS"_s, prog.DisplayWS, u"0"_s),
                               kept(u"WSUnits"_s, prog.WSUnits, QString()),
                               kept(u"SV"_s, prog.SV, u"24"_s),
                               kept(u"MA"_s, prog.MA, u"20"_s),
                               kept(u"BR"_s, prog.BR, u"4800"_s),
                               kept(u"dispMessages"_s, prog.dispMessages, u"0"_s)};
        EXPECT_EQ(folder.read(u"prog.cfg"_s), saved.text());
        // The new start-up read all of it and runs without a port.
        EXPECT_EQ(window->Port, u"0");
        EXPECT_FALSE(windowPort().isOpen());
        EXPECT_FALSE(window->loggingOn());
        EXPECT_EQ(window->VoltDivider, u"2");
    }
}

TEST_F(ConfigFaultStartUp, SettingsCfgCutShortAtEveryByte)
{
    const QByteArray full = calibration.text();
    const QString values[] = {calibration.VoltDivider, calibration.VoltOffset, calibration.AmpDivider,
                              calibration.RPMDivider, calibration.WSDivider};
    keepTheErrorLogOffTheDisk();
    for (qsizetype size = 0; size <= full.size() && !HasFailure(); ++size) {
        SCOPED_TRACE(size);
        const QString cut = QString::fromLatin1(full.left(size));
        startWith(prog.text(), full.left(size));
        EXPECT_TRUE(folder.user.events.isEmpty());
        EXPECT_TRUE(window->loggingOn());
        const QString applied[] = {window->VoltDivider, window->VoltOffset, window->AmpDivider, window->RPMDivider,
                                   window->WSDivider};
        bool all = true;
        for (int i = 0; i < kCalibrationKeys.size(); ++i) {
            all = all && complete(cut, kCalibrationKeys[i]);
            EXPECT_EQ(applied[i], all ? values[i] : QString()) << kCalibrationKeys[i].toStdString();
        }
        // A frame is scaled only with the whole calibration; otherwise it is refused.
        windowPort().deliver(kFrame);
        if (all) {
            EXPECT_EQ(liveRows().at(0), u"372.50|Volts");
            EXPECT_EQ(errorCaption(), u" Error trap message  -     ");
        } else {
            EXPECT_EQ(errorCaption(), u"  Last Error trapped  14:05  ---  calculations error  Type mismatch");
        }
    }
}

TEST_F(ConfigFaultStartUp, ProgCfgWithDamagedTagsOrHugeValues)
{
    const QString megabyte(1 << 20, u'x');
    const QString unitsShown = u"0.0|"_s + megabyte;
    const auto portOpenedAndLogging = [this](int number) {
        EXPECT_TRUE(folder.user.events.isEmpty());
        EXPECT_TRUE(windowPort().isOpen());
        EXPECT_EQ(windowPort().portNumber(), number);
        EXPECT_TRUE(window->loggingOn());
    };
    // The recovery ran once, and Abort kept everything but the port.
    const auto recoveredWithPortZero = [this](const QString& notice, const ProgConfig& saved) {
        EXPECT_TRUE(recovered());
        EXPECT_EQ(errorLog(), portNotAvailable(u"Type mismatch"_s));
        EXPECT_EQ(setupNotice, notice);
        EXPECT_EQ(folder.read(u"prog.cfg"_s), saved.text());
        EXPECT_EQ(window->Port, u"0");
        EXPECT_FALSE(windowPort().isOpen());
    };
    ProgConfig portZero = prog;
    portZero.Port = u"0"_s;
    QStringList everyKeyMissing{kNoticeStart};
    for (const QString& key : kProgKeys)
        everyKeyMissing << key + u" is missing or misplaced in prog.cfg"_s;

    const struct {
        const char* name;
        std::function<QByteArray(ProgConfig)> file;
        std::function<void()> check;
    } cases[] = {
        {"a duplicated key takes its first value",
         [](ProgConfig p) { return replaced(p.text(), "<Port>3</Port>", "<Port>5</Port>\r\n<Port>3</Port>"); },
         [&] { portOpenedAndLogging(5); }},
        {"a duplicated opening tag becomes part of the value",
         [](ProgConfig p) { return replaced(p.text(), "<LogDelay>30", "<LogDelay><LogDelay>30"); },
         [this] {
             EXPECT_EQ(window->delay->text(), u"<LogDelay>30");
             EXPECT_FALSE(window->loggingOn()) << "an interval that is not a number starts nothing";
             EXPECT_TRUE(windowPort().isOpen());
             EXPECT_TRUE(folder.user.events.isEmpty() && errorLog().isEmpty());
             EXPECT_EQ(liveRows().size(), 6);
         }},
        {"reversed Port tags",
         [](ProgConfig p) { return replaced(p.text(), "<Port>3</Port>", "</Port>3<Port>"); },
         [&] { recoveredWithPortZero(kNoticeStart + u"\nPort is missing or misplaced in prog.cfg"_s, portZero); }},
        {"reversed dispMessages tags stop the load before the calibration",
         [](ProgConfig p) { return replaced(p.text(), "<dispMessages>1</dispMessages>", "</dispMessages>1<dispMessages>"); },
         [&] {
             portOpenedAndLogging(3);
             EXPECT_EQ(liveRows().size(), 0);
             EXPECT_EQ(window->VoltDivider, QString());
             windowPort().deliver(kFrame);
             EXPECT_EQ(errorCaption(), u"  Last Error trapped  14:05  ---  calculations error  Type mismatch");
         }},
        {"lower-case tags are other tags",
         [](ProgConfig p) { return p.text().toLower(); },
         [&] {
             recoveredWithPortZero(everyKeyMissing.join(u'\n'),
                                   {u"0"_s, u"0"_s, u"0"_s, QString(), u"0"_s, u"0"_s, u"0"_s, QString(), u"24"_s,
                                    u"20"_s, u"4800"_s, u"0"_s});
             EXPECT_EQ(liveRows().size(), 4);
         }},
        {"a lower-case LogOn stops the load there",
         [](ProgConfig p) { return replaced(p.text(), "<LogOn>1</LogOn>", "<logon>1</logon>"); },
         [this] {
             EXPECT_TRUE(windowPort().isOpen());
             EXPECT_FALSE(window->loggingOn());
             EXPECT_EQ(window->delay->text(), u"30");
             EXPECT_EQ(liveRows().size(), 0);
             EXPECT_TRUE(folder.user.events.isEmpty() && errorLog().isEmpty());
         }},
        {"a megabyte unit is shown as it is",
         [&](ProgConfig p) { p.WSUnits = megabyte; return p.text(); },
         [&] {
             portOpenedAndLogging(3);
             EXPECT_TRUE(liveRows().last() == unitsShown);
         }},
        {"a megabyte port number is no number",
         [&](ProgConfig p) { p.Port = u'3' + QString(1 << 20, u'0'); return p.text(); },
         [&] { recoveredWithPortZero(QString(), portZero); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startWith(c.file(prog), calibration.text());
        c.check();
    }
}

TEST_F(ConfigFaultStartUp, SettingsCfgWithUnusableDividersOrDamagedTags)
{
    const QString megabyteOfBlanks(1 << 20, u' ');
    const struct {
        const char* name;
        std::function<QByteArray(CalibrationConfig)> file;
        const char* error;  // nothing: the frame is taken
        const char* voltsRow;
    } cases[] = {
        {"VoltDivider not a number", [](CalibrationConfig c) { c.VoltDivider = u"abc"_s; return c.text(); },
         "Type mismatch", nullptr},
        {"VoltOffset empty", [](CalibrationConfig c) { c.VoltOffset.clear(); return c.text(); }, "Type mismatch",
         nullptr},
        {"AmpDivider zero", [](CalibrationConfig c) { c.AmpDivider = u"0"_s; return c.text(); }, "Division by zero",
         nullptr},
        {"RPMDivider in words", [](CalibrationConfig c) { c.RPMDivider = u"fourteen"_s; return c.text(); },
         "Type mismatch", nullptr},
        {"WSDivider zero", [](CalibrationConfig c) { c.WSDivider = u"0.0"_s; return c.text(); }, "Division by zero",
         nullptr},
        {"a megabyte of digits", [](CalibrationConfig c) { c.VoltDivider = u'1' + QString(1 << 20, u'0'); return c.text(); },
         "Type mismatch", nullptr},
        {"a megabyte of blanks around a number",
         [&](CalibrationConfig c) { c.VoltDivider = megabyteOfBlanks + u'2' + megabyteOfBlanks; return c.text(); },
         nullptr, "372.50|Volts"},
        {"a duplicated key takes its first value",
         [](CalibrationConfig c) {
             return replaced(c.text(), "<VoltDivider>", "<VoltDivider>4</VoltDivider>\r\n<VoltDivider>");
         },
         nullptr, "186.25|Volts"},
        {"reversed RPMDivider tags",
         [](CalibrationConfig c) { return replaced(c.text(), "<RPMDivider>14</RPMDivider>", "</RPMDivider>14<RPMDivider>"); },
         "Type mismatch", nullptr},
        {"a lower-case WSDivider",
         [](CalibrationConfig c) { return replaced(c.text(), "<WSDivider>2</WSDivider>", "<wsdivider>2</wsdivider>"); },
         "Type mismatch", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startWith(prog.text(), c.file(calibration));
        EXPECT_TRUE(folder.user.events.isEmpty());
        ASSERT_TRUE(windowPort().isOpen());
        windowPort().deliver(kFrame);
        if (c.error) {
            EXPECT_EQ(errorLog(), u"2010_03_07  14:05  calculations error  "_s + QLatin1String(c.error)
                                      + u" <RB>  <IM> "_s + kFrame + u"\r\n"_s);
            EXPECT_EQ(window->Label2->text(), u"possible corrupt COMMS data");
            EXPECT_EQ(liveRows().at(0), u"0.0|Volts");
        } else {
            EXPECT_TRUE(errorLog().isEmpty());
            EXPECT_EQ(liveRows().at(0), QLatin1String(c.voltsRow));
        }
    }
}

// What the user can do about a cut settings.cfg: the calibration dialog names the lost
// values, and once they are typed in and saved the frames are scaled again.
TEST_F(ConfigFaultStartUp, ASettingsCfgCutShortIsMendedInTheCalibrationDialog)
{
    const QByteArray full = calibration.text();
    startWith(prog.text(), full.left(full.indexOf("</AmpDivider>") + 5));
    FakeSerialPort& mainPort = windowPort();
    ASSERT_TRUE(mainPort.isOpen());
    EXPECT_EQ(window->VoltOffset, u"512");
    EXPECT_EQ(window->AmpDivider, QString());
    window->StopLogging_Click();  // the dialogs open only while logging is off

    QString notice;
    folder.user.dialogSteps.clear();
    folder.user.dialogSteps.push_back([&](QDialog& dialog) {
        auto& calibrate = dynamic_cast<Calibrate&>(dialog);
        notice = calibrate.loadNotice();
        calibrate.BatteryCurrent->setText(u"10"_s);
        calibrate.PulseDivider->setText(u"14"_s);
        calibrate.Pulse2Divider->setText(u"2"_s);
        calibrate.Command1_Click();
    });
    window->CalibrateButton_Click();

    EXPECT_EQ(notice, u"Not everything could be read:\nAmpDivider is missing or misplaced in settings.cfg\n"
                      u"RPMDivider is missing or misplaced in settings.cfg\n"
                      u"WSDivider is missing or misplaced in settings.cfg"_s);
    EXPECT_EQ(folder.read(u"settings.cfg"_s), full);
    EXPECT_TRUE(mainPort.isOpen());
    mainPort.deliver(kFrame);
    EXPECT_EQ(liveRows().mid(0, 2), (QStringList{u"372.50|Volts"_s, u"2.0|Amps"_s}));
    EXPECT_TRUE(errorLog().isEmpty());
}

}  // namespace
}  // namespace corvane::test
