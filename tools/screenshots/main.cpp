// corvane-screenshots: drives the real windows in a demo program folder whose board is
// running, and saves the README's pictures. Usage: corvane-screenshots --out DIR FOLDER
#include "capturing_interaction.h"
#include "sample_day.h"
#include "sample_history.h"

#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/qt_serial_port.h"
#include "text/date_time_text.h"
#include "ui/corvane_main.h"
#include "ui/graph.h"
#include "ui/graph_lists.h"
#include "ui/history_window.h"
#include "ui/plot_widget.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QFile>
#include <iostream>

namespace {

using namespace corvane;
using namespace corvane::screenshots;

constexpr int kBankVolts = 24;
constexpr int kLoggingSeconds = 10;
constexpr int kLiveMilliseconds = 3000;

// Yesterday, so that the viewer shows a whole day beside today's growing file.
QString writeSampleDay(const QString& folder)
{
    const QString name = QStringLiteral("P_") + dateText(QDate::currentDate().addDays(-1)) + QStringLiteral(".txt");
    QDir(folder).mkpath(QStringLiteral("logs"));
    QFile file(folder + QStringLiteral("/logs/") + name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(sampleDayFile(kBankVolts, kLoggingSeconds, 20100307));
    return name;
}

// Loads the whole day, drags across half an hour after noon to zoom in, and leaves the
// pointer on the plot so the readout shows values.
void zoomIntoDay(Graph& graph, const QString& dayFile, QStringList& failures)
{
    const QList<QListWidgetItem*> items = graph.File1->findItems(dayFile, Qt::MatchExactly);
    if (items.isEmpty()) {
        failures << QStringLiteral("the viewer does not list ") + dayFile;
        return;
    }
    graph.File1->setCurrentItem(items.first());
    graph.File1_Click();
    runFor(300);
    const auto width = static_cast<float>(graph.Plot->scaleWidth());
    graph.Plot_MouseDown(width * 0.50f);
    graph.Plot_MouseMove(width * 0.52f);
    graph.Plot_MouseUp(width * 0.52f);
    runFor(300);
    graph.Plot_MouseMove(static_cast<float>(graph.Plot->scaleWidth()) * 0.4f);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("out"), QStringLiteral("Folder for the pictures."), QStringLiteral("dir")});
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Demo program folder, board running."));
    parser.addHelpOption();
    parser.process(app);
    if (parser.positionalArguments().size() != 1 || !parser.isSet(QStringLiteral("out"))) {
        std::cerr << "usage: corvane-screenshots --out DIR FOLDER\n";
        return 2;
    }
    const QString folder = QDir(parser.positionalArguments().first()).absolutePath();
    const QDir out(parser.value(QStringLiteral("out")));
    const QString dayFile = writeSampleDay(folder);

    SystemClock clock;
    CapturingInteraction user;
    Platform platform;
    platform.programFolder = folder;
    platform.clock = &clock;
    platform.interaction = &user;
    platform.makeSerialPort = [folder] { return std::make_unique<QtSerialPort>(folder); };

    CorvaneMain window(platform);
    window.show();
    window.Form_Load();
    runFor(kLiveMilliseconds);
    if (!savePicture(window, out.filePath(QStringLiteral("main-window.png"))))
        user.failures << QStringLiteral("cannot write main-window.png");

    user.expect({out.filePath(QStringLiteral("viewer.png")),
                 [&](QDialog& dialog) { zoomIntoDay(static_cast<Graph&>(dialog), dayFile, user.failures); }});
    window.ShowLogs_Click();

    // The dialogs open only while logging is off.
    window.StopLogging_Click();
    user.expect({out.filePath(QStringLiteral("setup-dialog.png")), {}});
    window.Setup_Click();
    user.expect({out.filePath(QStringLiteral("calibration-dialog.png")), {}, 2500});
    window.CalibrateButton_Click();

    // The history over a year of sample days; early in a month the month before is fuller.
    writeSampleHistory(folder, QDate::currentDate());
    user.expect({out.filePath(QStringLiteral("history-month.png")), [](QDialog& dialog) {
                     if (QDate::currentDate().day() < 15)
                         static_cast<HistoryWindow&>(dialog).Previous_Click();
                 }});
    window.History_Click();
    user.expect({out.filePath(QStringLiteral("history-year.png")),
                 [](QDialog& dialog) { static_cast<HistoryWindow&>(dialog).YearView_Click(); }});
    window.History_Click();

    for (const QString& text : user.messages)
        std::cerr << "message shown: " << text.toStdString() << '\n';
    for (const QString& failure : user.failures)
        std::cerr << "corvane-screenshots: " << failure.toStdString() << '\n';
    if (user.failures.isEmpty())
        std::cout << "pictures in " << out.absolutePath().toStdString() << '\n';
    return user.failures.isEmpty() ? 0 : 1;
}
