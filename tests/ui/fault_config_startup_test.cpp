// Damaged prog.cfg at start-up: cut short at every byte, and with duplicated, reversed or
// lower-case tags and megabyte values. Start-up applies what it could read, the
// port-problem recovery runs when the port cannot be opened (the user answers it with
// Abort, which keeps every value that was read), and nothing crashes.
#include "fault_config_fixture.h"

#include <functional>

namespace corvane::test {
using namespace Qt::StringLiterals;
namespace {

QByteArray portNotAvailable(const QString& error)
{
    return (u"2010_03_07  14:05  port not available  "_s + error + u" <RB>  <IM> \r\n"_s).toLatin1();
}

TEST_F(ConfigFaultStartUp, ProgCfgCutShortAtEveryByte)
{
    const QByteArray full = prog.text();
    skipTheDiskFlushes();
    for (qsizetype size = 0; size <= full.size() && !HasFailure(); ++size) {
        SCOPED_TRACE(size);
        const QString cut = QString::fromLatin1(full.left(size));
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
        EXPECT_EQ(setupNotice, missingNotice(kSetupNoticeStart, kProgKeys, cut, u"prog.cfg"_s));
        // Abort saved every value that could be read, with the dialog's defaults for the rest.
        EXPECT_EQ(folder.read(u"prog.cfg"_s), savedFromCut(prog, cut, u"0"_s).text());
        // The new start-up read all of it and runs without a port.
        EXPECT_EQ(window->Port, u"0");
        EXPECT_FALSE(windowPort().isOpen());
        EXPECT_FALSE(window->loggingOn());
        EXPECT_EQ(window->VoltDivider, u"2");
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
    QStringList everyKeyMissing{kSetupNoticeStart};
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
         [&] { recoveredWithPortZero(kSetupNoticeStart + u"\nPort is missing or misplaced in prog.cfg"_s, portZero); }},
        {"reversed dispMessages tags stop the load before the calibration",
         [](ProgConfig p) { return replaced(p.text(), "<dispMessages>1</dispMessages>", "</dispMessages>1<dispMessages>"); },
         [&] {
             portOpenedAndLogging(3);
             EXPECT_EQ(liveRows().size(), 0);
             EXPECT_EQ(window->VoltDivider, QString());
             windowPort().deliver(kBoardFrame);
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

}  // namespace
}  // namespace corvane::test
