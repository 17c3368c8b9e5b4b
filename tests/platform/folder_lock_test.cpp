#include "platform/folder_lock.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace corvane {
namespace {

using State = FolderLock::State;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(FolderLock, ASecondHolderIsToldWhoHoldsTheFolderUntilTheFirstLetsGo)
{
    QTemporaryDir dir;
    FolderLock first(dir.path());
    ASSERT_EQ(first.acquire(), State::Held);
    EXPECT_EQ(readAll(first.lockFilePath()), QByteArray::number(static_cast<qint64>(::getpid())) + '\n');

    FolderLock second(dir.path());
    EXPECT_EQ(second.acquire(), State::HeldByOther);
    EXPECT_EQ(second.heldByOtherMessage(),
              QStringLiteral("Corvane is already running in %1 (process %2).").arg(dir.path()).arg(::getpid()));

    first.release();
    EXPECT_FALSE(QFile::exists(first.lockFilePath()));
    EXPECT_EQ(second.acquire(), State::Held);
    EXPECT_EQ(FolderLock(dir.path()).acquire(), State::HeldByOther);
}

// What a crash or a power cut leaves: the file with a process number, and no lock.
TEST(FolderLock, ALeftOverLockFileIsTakenOverAtOnce)
{
    QTemporaryDir dir;
    FolderLock lock(dir.path());
    QFile leftOver(lock.lockFilePath());
    ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
    leftOver.write("999999999\nmore text from an older run\n");
    leftOver.close();

    ASSERT_EQ(lock.acquire(), State::Held);
    EXPECT_EQ(readAll(lock.lockFilePath()), QByteArray::number(static_cast<qint64>(::getpid())) + '\n');
}

TEST(FolderLock, AFolderWhereNoFileCanBeMadeIsReportedWithTheReason)
{
    QTemporaryDir dir;
    FolderLock lock(dir.filePath(QStringLiteral("missing")));
    EXPECT_EQ(lock.acquire(), State::Unavailable);
    // The system's reason (in the user's language), then the file.
    EXPECT_TRUE(lock.reason().endsWith(QStringLiteral(": ") + lock.lockFilePath())) << lock.reason().toStdString();
    EXPECT_GT(lock.reason().size(), lock.lockFilePath().size() + 2);
}

}  // namespace
}  // namespace corvane
