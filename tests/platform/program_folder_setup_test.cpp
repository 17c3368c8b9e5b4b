#include "platform/program_folder_setup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace corvane {
namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// An installation prefix with bin/ and share/corvane/, and a user whose data home is
// apart from it. The executable's folder counts as read-only whoever runs the test.
class InstalledCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        QDir().mkpath(bin);
        writeBytes(prefix + QStringLiteral("/share/corvane/prog.cfg"), "Program Config File\r\n<Port>0</Port>\r\n");
        writeBytes(prefix + QStringLiteral("/share/corvane/settings.cfg"), "Calibration Settings\r\n");
        environment.xdgDataHome = m_root.path() + QStringLiteral("/data-home");
        environment.home = m_root.path() + QStringLiteral("/home");
        environment.xdgDataDirs = m_root.path() + QStringLiteral("/nowhere");
    }

    // What one start of the program does before its window opens.
    FolderPreparation start(const QString& folderOption = QString())
    {
        const FolderFacts facts = gatherFolderFacts(folderOption, bin, environment, readOnly);
        choice = chooseFolder(facts);
        return prepareProgramFolder(choice.folder, firstInstallFolders(bin, environment.xdgDataDirs));
    }

    QTemporaryDir m_root;
    const QString prefix = m_root.path() + QStringLiteral("/prefix");
    const QString bin = prefix + QStringLiteral("/bin");
    const QString dataFolder = m_root.path() + QStringLiteral("/data-home/corvane");
    const WritableCheck readOnly = [](const QString&) { return false; };
    FolderEnvironment environment;
    FolderChoice choice{QString(), FolderReason::FolderOption};
};

TEST_F(InstalledCopy, FirstStartMakesTheDataFolderWithTheFirstInstallFiles)
{
    const FolderPreparation first = start();
    EXPECT_EQ(choice.reason, FolderReason::UserDataFolder);
    EXPECT_EQ(choice.folder, dataFolder);
    EXPECT_TRUE(first.created);
    EXPECT_TRUE(first.error.isEmpty()) << first.error.toStdString();
    EXPECT_EQ(first.copied, (QStringList{QStringLiteral("prog.cfg"), QStringLiteral("settings.cfg")}));
    EXPECT_EQ(readBytes(dataFolder + QStringLiteral("/prog.cfg")), "Program Config File\r\n<Port>0</Port>\r\n");
    EXPECT_EQ(readBytes(dataFolder + QStringLiteral("/settings.cfg")), "Calibration Settings\r\n");
    EXPECT_FALSE(QFileInfo::exists(bin + QStringLiteral("/prog.cfg")));
}

TEST_F(InstalledCopy, LaterStartsFindTheFolderAndNeverOverwriteIt)
{
    start();
    writeBytes(dataFolder + QStringLiteral("/prog.cfg"), "edited by the setup dialog");
    QFile::remove(dataFolder + QStringLiteral("/settings.cfg"));

    const FolderPreparation second = start();
    EXPECT_EQ(choice.folder, dataFolder);
    EXPECT_FALSE(second.created);
    EXPECT_TRUE(second.copied.isEmpty());
    EXPECT_EQ(readBytes(dataFolder + QStringLiteral("/prog.cfg")), "edited by the setup dialog");
    // A file the user removed stays removed: the setup and calibration dialogs make it again.
    EXPECT_FALSE(QFileInfo::exists(dataFolder + QStringLiteral("/settings.cfg")));
}

TEST_F(InstalledCopy, TheCopiesCanBeEditedWhateverTheInstalledFilesPermissions)
{
    QFile::setPermissions(prefix + QStringLiteral("/share/corvane/prog.cfg"), QFile::ReadOwner | QFile::ReadOther);
    start();
    EXPECT_TRUE(QFileInfo(dataFolder + QStringLiteral("/prog.cfg")).permissions().testFlag(QFile::WriteOwner));
}

TEST_F(InstalledCopy, FilesAreFoundThroughTheDataDirsWhenNotBesideTheExecutable)
{
    // A copy of the executable outside its prefix, the data installed elsewhere.
    const QString elsewhere = m_root.path() + QStringLiteral("/system-share");
    QDir().rename(prefix + QStringLiteral("/share"), elsewhere);
    writeBytes(elsewhere + QStringLiteral("/corvane/prog.cfg"), "from the data dirs");
    environment.xdgDataDirs = m_root.path() + QStringLiteral("/empty:") + elsewhere;

    const FolderPreparation first = start();
    EXPECT_EQ(choice.folder, dataFolder);
    EXPECT_EQ(readBytes(dataFolder + QStringLiteral("/prog.cfg")), "from the data dirs");
    EXPECT_EQ(first.copied.size(), 2);
    EXPECT_TRUE(first.missing.isEmpty());
}

TEST_F(InstalledCopy, MissingFirstInstallFilesAreReportedNotInvented)
{
    QDir(prefix + QStringLiteral("/share")).removeRecursively();
    const FolderPreparation first = start();
    EXPECT_TRUE(first.created);
    EXPECT_TRUE(first.copied.isEmpty());
    EXPECT_EQ(first.missing, (QStringList{QStringLiteral("prog.cfg"), QStringLiteral("settings.cfg")}));
    EXPECT_TRUE(QDir(dataFolder).isEmpty());
}

TEST_F(InstalledCopy, AnExistingFolderGivenWithTheOptionIsLeftAsItIs)
{
    const QString own = m_root.path() + QStringLiteral("/own");
    QDir().mkpath(own);
    const FolderPreparation prepared = start(own);
    EXPECT_EQ(choice.folder, own);
    EXPECT_FALSE(prepared.created);
    EXPECT_TRUE(QDir(own).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dataFolder));

    // A new one is made and laid out like the data folder.
    const FolderPreparation fresh = start(own + QStringLiteral("/new/site"));
    EXPECT_TRUE(fresh.created);
    EXPECT_EQ(fresh.copied.size(), 2);
}

TEST_F(InstalledCopy, AFolderThatCannotBeMadeIsAnError)
{
    writeBytes(m_root.path() + QStringLiteral("/file"), "x");
    EXPECT_FALSE(start(m_root.path() + QStringLiteral("/file")).error.isEmpty());
    EXPECT_FALSE(start(m_root.path() + QStringLiteral("/file/below")).error.isEmpty());
}

TEST(PortableCopy, AWritableOrConfiguredExecutableFolderKeepsTheFiles)
{
    QTemporaryDir root;
    const FolderEnvironment environment{QString(), root.path(), QString()};
    const auto writable = [](const QString&) { return true; };
    const auto readOnly = [](const QString&) { return false; };
    EXPECT_EQ(chooseFolder(gatherFolderFacts(QString(), root.path(), environment, writable)).reason,
              FolderReason::PortableWritable);
    EXPECT_EQ(chooseFolder(gatherFolderFacts(QString(), root.path(), environment, readOnly)).reason,
              FolderReason::UserDataFolder);

    writeBytes(root.path() + QStringLiteral("/prog.cfg"), "x");
    const FolderChoice choice = chooseFolder(gatherFolderFacts(QString(), root.path(), environment, readOnly));
    EXPECT_EQ(choice.reason, FolderReason::PortableWithConfig);
    EXPECT_EQ(choice.folder, root.path());
}

TEST(PortableCopy, TheRealWritabilityCheckRefusesWhatIsNoFolder)
{
    QTemporaryDir root;
    EXPECT_TRUE(canWriteFolder(root.path()));
    EXPECT_FALSE(canWriteFolder(root.path() + QStringLiteral("/absent")));
    writeBytes(root.path() + QStringLiteral("/file"), "x");
    EXPECT_FALSE(canWriteFolder(root.path() + QStringLiteral("/file")));
}

}  // namespace
}  // namespace corvane
