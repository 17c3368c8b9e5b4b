#include "platform/folder_lock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {
namespace {

QString readOwner(int fd)
{
    char text[32] = {};
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    const QString pid = n > 0 ? QString::fromLatin1(text, n).trimmed() : QString();
    return pid.isEmpty() ? QStringLiteral("unknown") : pid;
}

// The lock file may have been removed by its holder between our open and our lock; a lock
// on that orphaned file would lock nothing.
bool stillInPlace(int fd, const QByteArray& path)
{
    struct stat opened = {};
    struct stat named = {};
    return ::fstat(fd, &opened) == 0 && ::stat(path.constData(), &named) == 0 && opened.st_ino == named.st_ino &&
           opened.st_dev == named.st_dev;
}

}  // namespace

FolderLock::FolderLock(QString folder) : m_folder(std::move(folder)) {}

FolderLock::~FolderLock() { release(); }

QString FolderLock::lockFilePath() const { return m_folder + QStringLiteral("/corvane.lock"); }

FolderLock::State FolderLock::acquire()
{
    if (m_fd >= 0)
        return State::Held;
    const QByteArray path = QFile::encodeName(lockFilePath());
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            m_reason = QString::fromLocal8Bit(std::strerror(errno)) + QStringLiteral(": ") + lockFilePath();
            return State::Unavailable;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error == EWOULDBLOCK) {
                m_otherProcess = readOwner(fd);
                ::close(fd);
                return State::HeldByOther;
            }
            m_reason = QString::fromLocal8Bit(std::strerror(error)) + QStringLiteral(": ") + lockFilePath();
            ::close(fd);
            return State::Unavailable;
        }
        if (!stillInPlace(fd, path)) {
            ::close(fd);
            continue;
        }
        const QByteArray pid = QByteArray::number(static_cast<qint64>(::getpid())) + '\n';
        if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, pid.constData(), static_cast<size_t>(pid.size()), 0) != pid.size()) {
            // Held all the same; only the process number in the message of a second
            // Corvane is lost.
        }
        m_fd = fd;
        return State::Held;
    }
    m_reason = QStringLiteral("the lock file keeps being replaced: ") + lockFilePath();
    return State::Unavailable;
}

void FolderLock::release()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so that nobody can lock the old file after we let go.
    ::unlink(QFile::encodeName(lockFilePath()).constData());
    ::close(m_fd);
    m_fd = -1;
}

QString FolderLock::heldByOtherMessage() const
{
    return QStringLiteral("Corvane is already running in %1 (process %2).").arg(m_folder, m_otherProcess);
}

}  // namespace corvane
