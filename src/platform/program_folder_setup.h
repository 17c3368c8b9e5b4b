#pragma once

#include "platform/program_folder_rule.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace corvane {

// Whether the program could create files in a folder. Injected, because for root every
// folder can be written, and tests must still exercise a read-only one.
using WritableCheck = std::function<bool(const QString& folder)>;

// What access(2) says for the current user; false for a folder that does not exist.
bool canWriteFolder(const QString& folder);

// The environment's part of the facts, as the process received it.
struct FolderEnvironment {
    QString xdgDataHome;
    QString home;
    QString xdgDataDirs;
};
FolderEnvironment processFolderEnvironment();

// Looks at the executable's folder (prog.cfg there, writable, share/corvane beside bin).
FolderFacts gatherFolderFacts(const QString& folderOption, const QString& executableFolder,
                              const FolderEnvironment& environment, const WritableCheck& canWrite);

// What preparing the program folder did.
struct FolderPreparation {
    bool created = false;
    QStringList copied;   // the first-install files laid into the new folder
    QStringList missing;  // first-install files found in none of the places looked at
    QString error;        // why the folder cannot be made; empty when it is there
};

// Makes `folder` (and its parents) when it does not exist yet and gives the new folder the
// first-install prog.cfg and settings.cfg, each from the first of `sources` that holds it.
// An existing folder is left as it is: its files are the user's, even when one is missing.
FolderPreparation prepareProgramFolder(const QString& folder, const QStringList& sources);

}  // namespace corvane
