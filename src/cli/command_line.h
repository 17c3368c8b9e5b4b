#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace corvane {

// What the program was asked to do; at most one mode option may be given.
enum class RunMode { Window, Service, Viewer, History, Summary, Help, Version };

struct CommandLine {
    RunMode mode = RunMode::Window;
    QString folder;                 // --folder DIR; empty when not given
    std::optional<QDate> from;      // --summary range, both ends inclusive
    std::optional<QDate> to;
};

// Either a command line or the one-line reason it could not be understood.
struct CommandLineResult {
    std::optional<CommandLine> commandLine;
    QString error;
};

// `arguments` as the process received them, the program's name first.
CommandLineResult parseCommandLine(const QStringList& arguments);

// The options, one per line, for --help and after a usage error.
QString usageText();

// What --version prints, without the line end.
QString versionText();

}  // namespace corvane
