#include "dialogs/program_config.h"

#include <gtest/gtest.h>

namespace corvane {
using namespace Qt::StringLiterals;
namespace {

QString fileWith(const QString& key, const QString& value)
{
    ProgramConfig config;
    config.port = QStringLiteral("2");
    QString text = programConfigText(config);
    const QString open = u'<' + key + u'>';
    const qsizetype start = text.indexOf(open) + open.size();
    const qsizetype end = text.indexOf(QStringLiteral("</") + key + u'>');
    return text.replace(start, end - start, value);
}

TEST(ProgramConfigText, LaysOutTitleTwelveKeysAndFinalEmptyLine)
{
    ProgramConfig config;
    config.port = QStringLiteral(" 2.5");
    config.saveHtml = true;
    config.logDelay = QStringLiteral("5 ");
    config.logOn = true;
    config.displayWindSpeed = true;
    config.windSpeedUnits = QStringLiteral("km/h");
    config.systemVolts = 48;
    config.maxAmps = 10;
    config.baudRate = 57600;
    config.displayMessages = true;
    EXPECT_EQ(programConfigText(config).toLatin1(),
              QByteArray("Program Config File\r\n\r\n"
                         "<Port> 2.5</Port>\r\n"
                         "<Savehtml>1</Savehtml>\r\n"
                         "<SaveExcel>0</SaveExcel>\r\n"
                         "<LogDelay>5 </LogDelay>\r\n"
                         "<LogOn>1</LogOn>\r\n"
                         "<DisplayRPM>0</DisplayRPM>\r\n"
                         "<DisplayWS>1</DisplayWS>\r\n"
                         "<WSUnits>km/h</WSUnits>\r\n"
                         "<SV>48</SV>\r\n"
                         "<MA>10</MA>\r\n"
                         "<BR>57600</BR>\r\n"
                         "<dispMessages>1</dispMessages>\r\n"
                         "\r\n"));
}

TEST(ReadProgramConfig, ReadsBackWhatWasWrittenIncludingBlanks)
{
    ProgramConfig written;
    written.port = QStringLiteral(" 12 ");
    written.saveExcel = true;
    written.logDelay = QStringLiteral("letters");
    written.displayRpm = true;
    written.windSpeedUnits = QStringLiteral(" m/s");
    written.systemVolts = 12;
    written.maxAmps = 50;
    written.baudRate = 2400;
    const ProgramConfigReading reading = readProgramConfig(programConfigText(written));
    EXPECT_TRUE(reading.problems.isEmpty()) << reading.problems.join(u'\n').toStdString();
    EXPECT_EQ(programConfigText(reading.config), programConfigText(written));
}

TEST(ReadProgramConfig, KeysInAnotherOrderWithTextAroundThemReadTheSame)
{
    const QString shuffled = QStringLiteral(
        "notes first <dispMessages>1</dispMessages><BR>9600</BR> junk\n<MA>50</MA><SV>12</SV>"
        "<WSUnits>mph</WSUnits><DisplayWS>1</DisplayWS><DisplayRPM>1</DisplayRPM><LogOn>1</LogOn>"
        "<LogDelay>30</LogDelay><SaveExcel>1</SaveExcel><Savehtml>1</Savehtml><Port>3</Port> end");
    const ProgramConfigReading reading = readProgramConfig(shuffled);
    EXPECT_TRUE(reading.problems.isEmpty());
    ProgramConfig expected{QStringLiteral("3"), true, true, QStringLiteral("30"), true, true, true,
                           QStringLiteral("mph"), 12, 50, 9600, true};
    EXPECT_EQ(programConfigText(reading.config), programConfigText(expected));
}

struct ChoiceCase {
    const char* key;
    const char* value;
    int expected;
    bool reported;
};

TEST(ReadProgramConfig, OptionGroupsTakeMatchingValuesAndKeepTheDefaultOtherwise)
{
    const ChoiceCase cases[] = {
        {"SV", "12", 12, false},      {"SV", "48.0", 48, false},   {"SV", "36", 24, false},
        {"SV", "24.4", 24, false},    {"SV", "abc", 24, true},     {"SV", "", 24, true},
        {"MA", "50", 50, false},      {"MA", "15", 20, false},     {"MA", "ten", 20, true},
        {"BR", "57600", 57600, false}, {"BR", "56600", 4800, false}, {"BR", "9600.4", 9600, false},
        {"BR", " 2400 ", 2400, false}, {"BR", "1e12", 4800, false}, {"BR", "fast", 4800, true},
    };
    for (const ChoiceCase& c : cases) {
        const QString key = QString::fromLatin1(c.key);
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        const ProgramConfigReading reading = readProgramConfig(fileWith(key, QString::fromLatin1(c.value)));
        const ProgramConfig& config = reading.config;
        const int chosen = key == u"SV" ? config.systemVolts : key == u"MA" ? config.maxAmps : config.baudRate;
        EXPECT_EQ(chosen, c.expected);
        EXPECT_EQ(reading.problems.size(), c.reported ? 1 : 0);
    }
}

TEST(ReadProgramConfig, SaysWhichValueIsUnusableAndWhatWasKept)
{
    const ProgramConfigReading reading = readProgramConfig(fileWith(QStringLiteral("SV"), QStringLiteral("abc")));
    EXPECT_EQ(reading.problems, QStringList{u"SV in prog.cfg is \"abc\", not a number: 24 is kept"_s});
}

struct CheckCase {
    const char* value;
    bool checked;
    bool reported;
};

TEST(ReadProgramConfig, CheckBoxesTakeZeroOrOneOnly)
{
    const CheckCase cases[] = {
        {"0", false, false}, {"1", true, false},  {"1.0", true, false}, {" 1", true, false},
        {"0.5", false, false}, {"2", false, true}, {"-1", false, true}, {"", false, true},
        {"yes", false, true},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.value);
        const ProgramConfigReading reading = readProgramConfig(fileWith(u"LogOn"_s, QString::fromLatin1(c.value)));
        EXPECT_EQ(reading.config.logOn, c.checked);
        ASSERT_EQ(reading.problems.size(), c.reported ? 1 : 0);
        if (c.reported) {
            EXPECT_EQ(reading.problems.front(), u"LogOn in prog.cfg is \""_s + QString::fromLatin1(c.value)
                                                    + u"\", not 0 or 1: the box is left cleared"_s);
        }
    }
}

TEST(ReadProgramConfig, MissingOrMisplacedKeysKeepTheirDefaultsAndTheRestIsRead)
{
    const QString text = QStringLiteral("<Port>4</Port><LogDelay>20</LogDelay><WSUnits>mph</WSUnits>"
                                        "<BR>9600</BR></SV>x<SV>");
    const ProgramConfigReading reading = readProgramConfig(text);
    EXPECT_EQ(reading.config.port, u"4");
    EXPECT_EQ(reading.config.logDelay, u"20");
    EXPECT_EQ(reading.config.windSpeedUnits, u"mph");
    EXPECT_EQ(reading.config.baudRate, 9600);
    EXPECT_EQ(reading.config.systemVolts, 24);
    EXPECT_EQ(reading.config.maxAmps, 20);
    EXPECT_EQ(reading.problems,
              (QStringList{u"Savehtml is missing or misplaced in prog.cfg"_s,
                           u"SaveExcel is missing or misplaced in prog.cfg"_s,
                           u"LogOn is missing or misplaced in prog.cfg"_s,
                           u"DisplayRPM is missing or misplaced in prog.cfg"_s,
                           u"DisplayWS is missing or misplaced in prog.cfg"_s,
                           u"SV is missing or misplaced in prog.cfg"_s,
                           u"MA is missing or misplaced in prog.cfg"_s,
                           u"dispMessages is missing or misplaced in prog.cfg"_s}));
}

}  // namespace
}  // namespace corvane
