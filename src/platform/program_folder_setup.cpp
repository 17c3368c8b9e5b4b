#include "platform/program_folder_setup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

namespace corvane {
namespace {

const QStringList kFirstInstallFiles{QStringLiteral("prog.cfg"), QStringLiteral("settings.cfg")};

QString environmentValue(const char* name)
{
    return QFile::decodeName(qgetenv(name));
}

}  // namespace

bool canWriteFolder(const QString& folder)
{
    return QFileInfo(folder).isDir() && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

FolderEnvironment processFolderEnvironment()
{
    FolderEnvironment environment{environmentValue("XDG_DATA_HOME"), environmentValue("HOME"),
                                  environmentValue("XDG_DATA_DIRS")};
    // A service started without HOME still has a home in the password database.
    if (environment.home.isEmpty()) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
            environment.home = QFile::decodeName(entry->pw_dir);
    }
    return environment;
}

FolderFacts gatherFolderFacts(const QString& folderOption, const QString& executableFolder,
                              const FolderEnvironment& environment, const WritableCheck& canWrite)
{
    FolderFacts facts;
    facts.folderOption = folderOption.isEmpty() ? QString() : QDir(folderOption).absolutePath();
    facts.executableFolder = QDir::cleanPath(executableFolder);
    facts.executableFolderHoldsConfig = QFileInfo::exists(facts.executableFolder + QStringLiteral("/prog.cfg"));
    facts.executableFolderWritable = canWrite(facts.executableFolder);
    facts.installedCopy = QFileInfo::exists(firstInstallFolders(facts.executableFolder, QString()).first() +
                                            QStringLiteral("/prog.cfg"));
    facts.xdgDataHome = environment.xdgDataHome;
    facts.home = environment.home;
    return facts;
}

FolderPreparation prepareProgramFolder(const QString& folder, const QStringList& sources)
{
    FolderPreparation result;
    const QFileInfo info(folder);
    if (info.isDir())
        return result;
    if (info.exists()) {
        result.error = QStringLiteral("%1 is not a folder").arg(folder);
        return result;
    }
    errno = 0;
    if (!QDir().mkpath(folder)) {
        result.error = QStringLiteral("cannot create %1").arg(folder);
        if (errno != 0)
            result.error += QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    result.created = true;
    for (const QString& name : kFirstInstallFiles) {
        const QString target = folder + u'/' + name;
        bool found = false;
        for (const QString& source : sources) {
            const QString path = source + u'/' + name;
            if (!QFileInfo(path).isFile())
                continue;
            found = true;
            // QFile::copy never replaces a file; the copy is the user's to edit, whatever
            // the installed file's permissions.
            if (QFile::copy(path, target)) {
                QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
                result.copied << name;
            }
            break;
        }
        if (!found)
            result.missing << name;
    }
    return result;
}

}  // namespace corvane
