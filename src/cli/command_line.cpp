#include "cli/command_line.h"

#include <QCommandLineParser>

namespace corvane {
namespace {

struct ModeOption {
    const char* name;
    RunMode mode;
};
constexpr ModeOption kModeOptions[] = {
    {"service", RunMode::Service}, {"viewer", RunMode::Viewer}, {"history", RunMode::History},
    {"summary", RunMode::Summary}, {"help", RunMode::Help},     {"version", RunMode::Version},
};

// Only a real calendar date written in full, so that 2026-2-30 or 2026-02-30 is refused.
std::optional<QDate> isoDate(const QString& text)
{
    if (text.size() != 10)
        return std::nullopt;
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

void addOptions(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const ModeOption& option : kModeOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(option.name)));
    parser.addOption(QCommandLineOption(QStringLiteral("folder"), QString(), QStringLiteral("DIR")));
    parser.addOption(QCommandLineOption(QStringLiteral("from"), QString(), QStringLiteral("DATE")));
    parser.addOption(QCommandLineOption(QStringLiteral("to"), QString(), QStringLiteral("DATE")));
}

}  // namespace

CommandLineResult parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments))
        return {std::nullopt, parser.errorText()};
    if (!parser.positionalArguments().isEmpty())
        return {std::nullopt, QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first())};

    CommandLine line;
    QStringList modes;
    for (const ModeOption& option : kModeOptions) {
        if (parser.isSet(QString::fromLatin1(option.name)) && option.mode != RunMode::Help &&
            option.mode != RunMode::Version) {
            modes << QStringLiteral("--") + QString::fromLatin1(option.name);
            line.mode = option.mode;
        }
    }
    // --help and --version answer whatever else was asked.
    if (parser.isSet(QStringLiteral("help")))
        line.mode = RunMode::Help;
    else if (parser.isSet(QStringLiteral("version")))
        line.mode = RunMode::Version;
    else if (modes.size() > 1)
        return {std::nullopt, QStringLiteral("%1 cannot be used together.").arg(modes.join(QStringLiteral(" and ")))};

    for (const char* name : {"folder", "from", "to"}) {
        if (parser.values(QString::fromLatin1(name)).size() > 1)
            return {std::nullopt, QStringLiteral("--%1 given more than once.").arg(QString::fromLatin1(name))};
    }
    line.folder = parser.value(QStringLiteral("folder"));
    if (parser.isSet(QStringLiteral("folder")) && line.folder.isEmpty())
        return {std::nullopt, QStringLiteral("--folder needs a folder.")};

    for (const char* name : {"from", "to"}) {
        const QString option = QString::fromLatin1(name);
        if (!parser.isSet(option))
            continue;
        if (line.mode != RunMode::Summary && line.mode != RunMode::Help && line.mode != RunMode::Version)
            return {std::nullopt, QStringLiteral("--%1 is only used with --summary.").arg(option)};
        const std::optional<QDate> date = isoDate(parser.value(option));
        if (!date)
            return {std::nullopt,
                    QStringLiteral("--%1 needs a date as YYYY-MM-DD, not '%2'.").arg(option, parser.value(option))};
        (option == u"from" ? line.from : line.to) = date;
    }
    return {line, QString()};
}

QString usageText()
{
    return QStringLiteral(
        "Usage: corvane [--folder DIR] [--service | --viewer | --history | --summary [--from DATE] [--to DATE]]\n"
        "       corvane --help | --version\n"
        "\n"
        "Options:\n"
        "  --folder DIR   use DIR as the program folder (configuration, logs, error log)\n"
        "  --service      log without a window or a display, for a box without a screen;\n"
        "                 SIGTERM, SIGINT and SIGHUP end it like the Exit button\n"
        "  --viewer       open the log viewer alone, beside a running logger\n"
        "  --history      open the energy history alone\n"
        "  --summary      print each day's summary as CSV; --from and --to (YYYY-MM-DD,\n"
        "                 both inclusive) limit the days\n"
        "  --help         show this text and the program folder in use\n"
        "  --version      show the version\n");
}

QString versionText()
{
    return QStringLiteral("corvane " CORVANE_VERSION);
}

}  // namespace corvane
