#include "app/run_modes.h"

#include "platform/program_folder_setup.h"

#include <QFileInfo>

namespace corvane {

ProgramFolder chooseProgramFolder(const CommandLine& line)
{
    // Read before any application object exists, so every mode agrees on it.
    const QString executableFolder =
        QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
    const FolderEnvironment environment = processFolderEnvironment();
    const FolderFacts facts = gatherFolderFacts(line.folder, executableFolder, environment, canWriteFolder);
    const FolderChoice choice = chooseFolder(facts);
    return {choice.folder, describeFolderChoice(choice, facts),
            firstInstallFolders(executableFolder, environment.xdgDataDirs)};
}

}  // namespace corvane
