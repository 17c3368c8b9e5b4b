#include "platform/program_folder_rule.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

FolderFacts installedFacts()
{
    FolderFacts facts;
    facts.executableFolder = QStringLiteral("/usr/bin");
    facts.installedCopy = true;
    facts.home = QStringLiteral("/home/ann");
    return facts;
}

struct RuleCase {
    const char* what;
    QString folderOption;
    bool holdsConfig;
    bool writable;
    bool installed;
    QString xdgDataHome;
    QString home;
    QString folder;
    FolderReason reason;
};

TEST(ProgramFolderRule, TakesTheFirstFolderThatApplies)
{
    const QString exe = QStringLiteral("/opt/corvane");
    const QString home = QStringLiteral("/home/ann");
    const QString homeData = QStringLiteral("/home/ann/.local/share/corvane");
    const RuleCase cases[] = {
        {"--folder wins over everything", QStringLiteral("/srv/wind"), true, true, false, {}, home,
         QStringLiteral("/srv/wind"), FolderReason::FolderOption},
        {"portable copy with its configuration", {}, true, false, false, {}, home, exe,
         FolderReason::PortableWithConfig},
        {"prog.cfg beside an installed copy is still used", {}, true, true, true, {}, home, exe,
         FolderReason::PortableWithConfig},
        {"writable folder without configuration", {}, false, true, false, {}, home, exe,
         FolderReason::PortableWritable},
        {"read-only folder: the user's data folder", {}, false, false, false, {}, home, homeData,
         FolderReason::UserDataFolder},
        {"installed copy that root could write", {}, false, true, true, {}, home, homeData,
         FolderReason::UserDataFolder},
        {"XDG_DATA_HOME decides the data folder", {}, false, false, true, QStringLiteral("/data/ann/"), home,
         QStringLiteral("/data/ann/corvane"), FolderReason::UserDataFolder},
        {"a relative XDG_DATA_HOME is ignored", {}, false, false, true, QStringLiteral("data"), home, homeData,
         FolderReason::UserDataFolder},
        {"no home known: the executable's folder", {}, false, false, true, {}, {}, exe,
         FolderReason::NoUserDataFolder},
    };
    for (const RuleCase& c : cases) {
        FolderFacts facts;
        facts.folderOption = c.folderOption;
        facts.executableFolder = exe;
        facts.executableFolderHoldsConfig = c.holdsConfig;
        facts.executableFolderWritable = c.writable;
        facts.installedCopy = c.installed;
        facts.xdgDataHome = c.xdgDataHome;
        facts.home = c.home;
        const FolderChoice choice = chooseFolder(facts);
        EXPECT_EQ(choice.folder, c.folder) << c.what;
        EXPECT_EQ(choice.reason, c.reason) << c.what;
    }
}

TEST(ProgramFolderRule, FirstInstallFilesComeFromThePrefixThenTheDataDirs)
{
    EXPECT_EQ(firstInstallFolders(QStringLiteral("/opt/x/bin"), QString()),
              (QStringList{QStringLiteral("/opt/x/share/corvane"), QStringLiteral("/usr/local/share/corvane"),
                           QStringLiteral("/usr/share/corvane")}));
    // Relative and empty entries are not places; a place named twice is looked at once.
    EXPECT_EQ(firstInstallFolders(QStringLiteral("/usr/bin"), QStringLiteral("/a/::rel/share:/usr/share/:/a")),
              (QStringList{QStringLiteral("/usr/share/corvane"), QStringLiteral("/a/corvane")}));
}

TEST(ProgramFolderRule, HelpSaysWhyInWords)
{
    FolderFacts facts = installedFacts();
    facts.executableFolderWritable = true;
    EXPECT_EQ(describeFolderChoice(chooseFolder(facts), facts),
              QStringLiteral("the user's data folder, ~/.local/share/corvane, as /usr/bin holds an installed copy "
                             "without prog.cfg"));
    facts.executableFolderWritable = false;
    facts.xdgDataHome = QStringLiteral("/data");
    EXPECT_EQ(describeFolderChoice(chooseFolder(facts), facts),
              QStringLiteral("the user's data folder, $XDG_DATA_HOME/corvane, as /usr/bin holds no prog.cfg and "
                             "cannot be written"));
    facts.folderOption = QStringLiteral("/srv/wind");
    EXPECT_EQ(describeFolderChoice(chooseFolder(facts), facts), QStringLiteral("given with --folder"));
}

}  // namespace
}  // namespace corvane
