#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

CommandLineResult parse(std::initializer_list<const char*> words)
{
    QStringList arguments{QStringLiteral("corvane")};
    for (const char* word : words)
        arguments << QString::fromUtf8(word);
    return parseCommandLine(arguments);
}

struct ModeCase {
    std::initializer_list<const char*> words;
    RunMode mode;
};

TEST(CommandLine, EachModeAndWhatWinsOverOthers)
{
    const ModeCase cases[] = {
        {{}, RunMode::Window},
        {{"--service"}, RunMode::Service},
        {{"--viewer"}, RunMode::Viewer},
        {{"--history"}, RunMode::History},
        {{"--summary"}, RunMode::Summary},
        {{"--version"}, RunMode::Version},
        {{"--help"}, RunMode::Help},
        {{"--service", "--help"}, RunMode::Help},
        {{"--version", "--help"}, RunMode::Help},
        {{"--viewer", "--version"}, RunMode::Version},
        {{"-service"}, RunMode::Service},
    };
    for (const ModeCase& c : cases) {
        const CommandLineResult result = parse(c.words);
        ASSERT_TRUE(result.commandLine) << result.error.toStdString();
        EXPECT_EQ(result.commandLine->mode, c.mode) << result.commandLine->folder.toStdString();
    }
}

TEST(CommandLine, FolderAndSummaryRange)
{
    const CommandLineResult result =
        parse({"--summary", "--folder", "/srv/wind", "--from", "2026-01-31", "--to=2026-02-28"});
    ASSERT_TRUE(result.commandLine) << result.error.toStdString();
    EXPECT_EQ(result.commandLine->folder, QStringLiteral("/srv/wind"));
    EXPECT_EQ(result.commandLine->from, QDate(2026, 1, 31));
    EXPECT_EQ(result.commandLine->to, QDate(2026, 2, 28));

    const CommandLineResult open = parse({"--summary"});
    ASSERT_TRUE(open.commandLine);
    EXPECT_FALSE(open.commandLine->from);
    EXPECT_FALSE(open.commandLine->to);
}

TEST(CommandLine, UsageErrorsGiveAReason)
{
    const std::initializer_list<const char*> refused[] = {
        {"--bogus"},
        {"--folder"},
        {"--folder", ""},
        {"--service", "--viewer"},
        {"--summary", "--from", "2026-02-30"},
        {"--summary", "--from", "2026-2-3"},
        {"--summary", "--to", "yesterday"},
        {"--summary", "--from"},
        {"--from", "2026-01-01"},
        {"--service", "extra"},
        {"--folder", "a", "--folder", "b"},
    };
    for (const auto& words : refused) {
        const CommandLineResult result = parse(words);
        EXPECT_FALSE(result.commandLine) << *words.begin();
        EXPECT_FALSE(result.error.isEmpty()) << *words.begin();
        EXPECT_FALSE(result.error.contains(u'\n')) << result.error.toStdString();
    }
}

TEST(CommandLine, UsageNamesEveryOption)
{
    for (const char* option : {"--folder", "--service", "--viewer", "--history", "--summary", "--from", "--to",
                               "--help", "--version"})
        EXPECT_TRUE(usageText().contains(QString::fromLatin1(option))) << option;
    EXPECT_TRUE(versionText().startsWith(QStringLiteral("corvane ")));
}

}  // namespace
}  // namespace corvane
