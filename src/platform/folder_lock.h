#pragma once

#include <QString>

namespace corvane {

// One Corvane per program folder. The lock is a lock held by the system on an open file
// in the folder, so it ends with the process however the process ends: a lock left by a
// crash or a power cut is no lock at all, and is taken over at once. The file holds the
// holder's process number, for the message a second Corvane shows.
class FolderLock {
public:
    enum class State { Held, HeldByOther, Unavailable };

    explicit FolderLock(QString folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Tries once, without waiting.
    State acquire();
    void release();

    // After HeldByOther: "Corvane is already running in <folder> (process <pid>)."
    QString heldByOtherMessage() const;
    // After Unavailable: why the lock file could not be made.
    const QString& reason() const { return m_reason; }
    QString lockFilePath() const;

private:
    QString m_folder;
    int m_fd = -1;
    QString m_otherProcess;
    QString m_reason;
};

}  // namespace corvane
