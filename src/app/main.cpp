#include "app/run_modes.h"
#include "cli/command_line.h"
#include "platform/program_folder_setup.h"

#include <QStringList>
#include <cstdio>

namespace {

void printTo(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

}  // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    const corvane::CommandLineResult parsed = corvane::parseCommandLine(arguments);
    if (!parsed.commandLine) {
        printTo(stderr, QStringLiteral("corvane: %1\n").arg(parsed.error));
        printTo(stderr, corvane::usageText());
        return 2;
    }
    const corvane::CommandLine& line = *parsed.commandLine;
    const corvane::ProgramFolder programFolder = corvane::chooseProgramFolder(line);
    const QString& folder = programFolder.path;

    switch (line.mode) {
    case corvane::RunMode::Help:
        printTo(stdout, corvane::usageText());
        printTo(stdout, QStringLiteral("\nProgram folder: %1\n  (%2)\n").arg(folder, programFolder.reason));
        return 0;
    case corvane::RunMode::Version:
        printTo(stdout, corvane::versionText() + u'\n');
        return 0;
    default:
        break;
    }

    const corvane::FolderPreparation prepared =
        corvane::prepareProgramFolder(folder, programFolder.firstInstallFolders);
    if (!prepared.error.isEmpty()) {
        printTo(stderr, QStringLiteral("corvane: no program folder: %1\n").arg(prepared.error));
        return 1;
    }
    if (!prepared.missing.isEmpty())
        printTo(stderr, QStringLiteral("corvane: made %1 without a first-install %2\n")
                            .arg(folder, prepared.missing.join(QStringLiteral(" or "))));

    switch (line.mode) {
    case corvane::RunMode::Service:
        return corvane::runService(argc, argv, folder);
    case corvane::RunMode::Viewer:
        return corvane::runViewer(argc, argv, folder);
    case corvane::RunMode::History:
        return corvane::runHistory(argc, argv, folder);
    case corvane::RunMode::Summary:
        return corvane::runSummary(argc, argv, folder, line);
    case corvane::RunMode::Window:
    case corvane::RunMode::Help:
    case corvane::RunMode::Version:
        break;
    }
    return corvane::runWindow(argc, argv, folder);
}
