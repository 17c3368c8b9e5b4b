#include "platform/files.h"

#include "text/failure.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace corvane {
namespace {

QString systemReason(const QString& path)
{
    return QString::fromLocal8Bit(std::strerror(errno)) + QStringLiteral(": ") + path;
}

}  // namespace

QString readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(failure_text::fileNotFound + QStringLiteral(": ") + path);
    return QString::fromLatin1(file.readAll());
}

void appendToFile(const QString& path, const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        throw Failure(systemReason(path));
    const off_t sizeBefore = ::lseek(fd, 0, SEEK_END);
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const QString reason = systemReason(path);
            if (written > 0 && sizeBefore >= 0 && ::ftruncate(fd, sizeBefore) != 0) {
                // Nothing more can be done about the partial line here.
            }
            ::close(fd);
            throw Failure(reason);
        }
        written += n;
    }
    if (::fdatasync(fd) != 0 && errno != EINVAL && errno != EROFS) {
        const QString reason = systemReason(path);
        ::close(fd);
        throw Failure(reason);
    }
    if (::close(fd) != 0)
        throw Failure(systemReason(path));
}

void writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Failure(file.errorString() + QStringLiteral(": ") + path);
    const QByteArray bytes = text.toLatin1();
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw Failure(file.errorString() + QStringLiteral(": ") + path);
}

void replaceFileAtomically(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Failure(file.errorString() + QStringLiteral(": ") + path);
    const QByteArray bytes = text.toLatin1();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw Failure(file.errorString() + QStringLiteral(": ") + path);
}

bool createFolder(const QString& path)
{
    return QDir().mkdir(path);
}

}  // namespace corvane
