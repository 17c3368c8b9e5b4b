#pragma once

#include <QString>
#include <QStringList>

namespace corvane {

// Why the program keeps its files where it does; --help says it in words.
enum class FolderReason {
    FolderOption,         // --folder DIR
    PortableWithConfig,   // the executable's folder already holds prog.cfg
    PortableWritable,     // the executable's folder can be written and is no installed copy
    UserDataFolder,       // $XDG_DATA_HOME/corvane, by default ~/.local/share/corvane
    NoUserDataFolder,     // neither XDG_DATA_HOME nor HOME names a folder: the executable's
};

// Everything the choice depends on, read from the system by gatherFolderFacts and made up
// freely by tests (so a test run as root can still have a folder it cannot write).
struct FolderFacts {
    QString folderOption;              // --folder; empty when not given
    QString executableFolder;          // absolute
    bool executableFolderHoldsConfig = false;
    bool executableFolderWritable = false;
    // The executable lies in an installation prefix (bin beside share/corvane): its folder
    // is shared by every user and the package manager, never a place for one user's logs.
    bool installedCopy = false;
    QString xdgDataHome;               // the environment's value, possibly empty or relative
    QString home;
};

struct FolderChoice {
    QString folder;
    FolderReason reason;
};

// In this order: --folder; the executable's folder when it holds prog.cfg, or when it can be
// written and is not an installed copy; the user's data folder.
FolderChoice chooseFolder(const FolderFacts& facts);

// $XDG_DATA_HOME/corvane when XDG_DATA_HOME is an absolute path (a relative one is ignored,
// as the XDG rules ask), else $HOME/.local/share/corvane; empty when neither is known.
QString userDataFolder(const QString& xdgDataHome, const QString& home);

// Where the first-install prog.cfg and settings.cfg may be, in the order to look: the
// prefix's share/corvane beside the executable's bin, then <dir>/corvane for each absolute
// entry of XDG_DATA_DIRS (by default /usr/local/share and /usr/share).
QStringList firstInstallFolders(const QString& executableFolder, const QString& xdgDataDirs);

// One line for --help: which folder and why.
QString describeFolderChoice(const FolderChoice& choice, const FolderFacts& facts);

}  // namespace corvane
