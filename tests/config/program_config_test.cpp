#include "config/program_config.h"

#include <gtest/gtest.h>

namespace corvane {
using namespace Qt::StringLiterals;
namespace {

// prog.cfg as written, with one value replaced.
QString fileWith(const QString& key, const QString& value)
{
    QString text = programConfigText({});
    const qsizetype start = text.indexOf(u'<' + key + u'>') + key.size() + 2;
    return text.replace(start, text.indexOf(u"</"_s + key + u'>') - start, value);
}

TEST(ProgramConfigText, LaysOutTitleTwelveKeysAndFinalEmptyLine)
{
    const ProgramConfig config{u" 2.5"_s, true, false, u"5 "_s, true, false, true, u"km/h"_s, 48, 10, 57600, true};
    EXPECT_EQ(programConfigText(config).toLatin1(),
              QByteArray("Program Config File\r\n\r\n<Port> 2.5</Port>\r\n<Savehtml>1</Savehtml>\r\n"
                         "<SaveExcel>0</SaveExcel>\r\n<LogDelay>5 </LogDelay>\r\n<LogOn>1</LogOn>\r\n"
                         "<DisplayRPM>0</DisplayRPM>\r\n<DisplayWS>1</DisplayWS>\r\n<WSUnits>km/h</WSUnits>\r\n"
                         "<SV>48</SV>\r\n<MA>10</MA>\r\n<BR>57600</BR>\r\n<dispMessages>1</dispMessages>\r\n\r\n"));
}

TEST(ReadProgramConfig, KeysInAnotherOrderWithTextAroundThemReadTheSame)
{
    const ProgramConfig expected{u"3"_s, true, false, u" 30"_s, true, false, true, u"mph"_s, 12, 50, 9600, true};
    QString shuffled = u"my windmill\n"_s;
    for (const QString& line : programConfigText(expected).split(u"\r\n"_s))
        shuffled.prepend(line + u" -- "_s);
    const ProgramConfigReading reading = readProgramConfig(shuffled);
    EXPECT_TRUE(reading.problems.isEmpty());
    EXPECT_EQ(programConfigText(reading.config), programConfigText(expected));
}

TEST(ReadProgramConfig, OptionGroupsTakeMatchingValuesAndKeepTheDefaultOtherwise)
{
    struct Case {
        const char* key;
        QString value;
        int chosen;
        QString problem;
    };
    const Case cases[] = {
        {"SV", u"12"_s, 12, {}},       {"SV", u"48.0"_s, 48, {}},    {"SV", u"36"_s, 24, {}},
        {"MA", u"50"_s, 50, {}},       {"MA", u"15"_s, 20, {}},      {"BR", u"57600"_s, 57600, {}},
        {"BR", u"56600"_s, 4800, {}},  {"BR", u"9600.4"_s, 9600, {}}, {"BR", u"1e12"_s, 4800, {}},
        {"SV", u"abc"_s, 24, u"SV in prog.cfg is \"abc\", not a number: 24 is kept"_s},
        {"BR", u""_s, 4800, u"BR in prog.cfg is \"\", not a number: 4800 is kept"_s},
    };
    for (const Case& c : cases) {
        const QString key = QString::fromLatin1(c.key);
        SCOPED_TRACE(key.toStdString() + '=' + c.value.toStdString());
        const ProgramConfigReading reading = readProgramConfig(fileWith(key, c.value));
        const ProgramConfig& config = reading.config;
        EXPECT_EQ(key == u"SV" ? config.systemVolts : key == u"MA" ? config.maxAmps : config.baudRate, c.chosen);
        EXPECT_EQ(reading.problems, c.problem.isEmpty() ? QStringList() : QStringList{c.problem});
    }
}

TEST(ReadProgramConfig, CheckBoxesTakeZeroOrOneOnly)
{
    struct Case {
        QString value;
        bool checked;
        bool reported;
    };
    const Case cases[] = {{u"0"_s, false, false}, {u"1"_s, true, false},  {u" 1.0"_s, true, false},
                          {u"0.5"_s, false, false}, {u"2"_s, false, true}, {u""_s, false, true},
                          {u"yes"_s, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        const ProgramConfigReading reading = readProgramConfig(fileWith(u"LogOn"_s, c.value));
        EXPECT_EQ(reading.config.logOn, c.checked);
        const QString problem = u"LogOn in prog.cfg is \""_s + c.value + u"\", not 0 or 1: the box is left cleared"_s;
        EXPECT_EQ(reading.problems, c.reported ? QStringList{problem} : QStringList());
    }
}

TEST(ReadProgramConfig, AKeyThatCannotBeReadKeepsItsDefaultAndTheRestIsRead)
{
    const ProgramConfigReading reading = readProgramConfig(fileWith(u"Port"_s, u"4"_s).replace(u"</SV>"_s, u"</sv>"_s));
    EXPECT_EQ(reading.config.port, u"4");
    EXPECT_EQ(reading.config.systemVolts, 24);
    EXPECT_EQ(reading.problems, QStringList{u"SV is missing or misplaced in prog.cfg"_s});
}

}  // namespace
}  // namespace corvane
