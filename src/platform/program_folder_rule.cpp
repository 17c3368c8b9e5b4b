#include "platform/program_folder_rule.h"

#include <QDir>

namespace corvane {
namespace {

const QString kDataFolderName = QStringLiteral("corvane");

QString cleanAbsolute(const QString& path)
{
    return QDir::isAbsolutePath(path) ? QDir::cleanPath(path) : QString();
}

}  // namespace

QString userDataFolder(const QString& xdgDataHome, const QString& home)
{
    if (const QString dataHome = cleanAbsolute(xdgDataHome); !dataHome.isEmpty())
        return QDir::cleanPath(dataHome + u'/' + kDataFolderName);
    if (const QString homeFolder = cleanAbsolute(home); !homeFolder.isEmpty())
        return QDir::cleanPath(homeFolder + QStringLiteral("/.local/share/") + kDataFolderName);
    return QString();
}

FolderChoice chooseFolder(const FolderFacts& facts)
{
    if (!facts.folderOption.isEmpty())
        return {facts.folderOption, FolderReason::FolderOption};
    if (facts.executableFolderHoldsConfig)
        return {facts.executableFolder, FolderReason::PortableWithConfig};
    if (facts.executableFolderWritable && !facts.installedCopy)
        return {facts.executableFolder, FolderReason::PortableWritable};
    const QString dataFolder = userDataFolder(facts.xdgDataHome, facts.home);
    if (dataFolder.isEmpty())
        return {facts.executableFolder, FolderReason::NoUserDataFolder};
    return {dataFolder, FolderReason::UserDataFolder};
}

QStringList firstInstallFolders(const QString& executableFolder, const QString& xdgDataDirs)
{
    QStringList folders{QDir::cleanPath(executableFolder + QStringLiteral("/../share/") + kDataFolderName)};
    const QString dataDirs = xdgDataDirs.isEmpty() ? QStringLiteral("/usr/local/share/:/usr/share/") : xdgDataDirs;
    for (const QString& entry : dataDirs.split(u':', Qt::SkipEmptyParts)) {
        const QString dir = cleanAbsolute(entry);
        if (dir.isEmpty())
            continue;
        const QString folder = QDir::cleanPath(dir + u'/' + kDataFolderName);
        if (!folders.contains(folder))
            folders << folder;
    }
    return folders;
}

QString describeFolderChoice(const FolderChoice& choice, const FolderFacts& facts)
{
    switch (choice.reason) {
    case FolderReason::FolderOption:
        return QStringLiteral("given with --folder");
    case FolderReason::PortableWithConfig:
        return QStringLiteral("the executable's folder, which holds prog.cfg: a portable copy");
    case FolderReason::PortableWritable:
        return QStringLiteral("the executable's folder, which can be written: a portable copy");
    case FolderReason::UserDataFolder: {
        const QString where = cleanAbsolute(facts.xdgDataHome).isEmpty() ? QStringLiteral("~/.local/share/corvane")
                                                                          : QStringLiteral("$XDG_DATA_HOME/corvane");
        const QString because = facts.installedCopy && facts.executableFolderWritable
                                    ? QStringLiteral("%1 holds an installed copy without prog.cfg")
                                    : QStringLiteral("%1 holds no prog.cfg and cannot be written");
        return QStringLiteral("the user's data folder, %1, as ").arg(where) + because.arg(facts.executableFolder);
    }
    case FolderReason::NoUserDataFolder:
        return QStringLiteral("the executable's folder, as neither XDG_DATA_HOME nor HOME names a home folder");
    }
    return QString();
}

}  // namespace corvane
