#pragma once

#include "cli/command_line.h"

#include <QString>
#include <QStringList>

namespace corvane {

// Each way of running Corvane, composed from the same windows and seams; each returns the
// process's exit status. `folder` is the program folder, already chosen.
int runWindow(int& argc, char** argv, const QString& folder);
int runService(int& argc, char** argv, const QString& folder);
int runViewer(int& argc, char** argv, const QString& folder);
int runHistory(int& argc, char** argv, const QString& folder);
int runSummary(int& argc, char** argv, const QString& folder, const CommandLine& line);

// The program folder for this command line, why it is that one, and where its
// first-install files come from when it has to be made.
struct ProgramFolder {
    QString path;
    QString reason;
    QStringList firstInstallFolders;
};
ProgramFolder chooseProgramFolder(const CommandLine& line);

}  // namespace corvane
