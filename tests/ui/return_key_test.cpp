// Return in a box of a dialog or the viewer does only what that box's window promises:
// it never zeroes the calibration, exports or closes by surprise.
#include "graph_fixture.h"

#include "ui/calibrate.h"
#include "ui/program_setup.h"
#include "viewer/day_file_text.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>

namespace corvane::test {
namespace {
using namespace Qt::StringLiterals;

// Return typed into `box` of a shown window, as the keyboard delivers it.
void pressReturn(QWidget* box)
{
    QApplication::setActiveWindow(box->window());
    box->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, u"\r"_s);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, u"\r"_s);
    QApplication::sendEvent(box, &release);
}

TEST(ReturnKey, InTheCalibrationBoxesNeverZeroesSavesOrCloses)
{
    TestFolder folder;
    ProgConfig prog;
    prog.Port = u"3"_s;
    const CalibrationConfig calibration{u"59.6"_s, u"512"_s, u"4"_s, u"14"_s, u"2"_s};
    folder.write(u"prog.cfg"_s, prog.text());
    folder.write(u"settings.cfg"_s, calibration.text());
    Calibrate dialog(folder.platform(), nullptr);
    int closings = 0;
    QObject::connect(&dialog, &QDialog::finished, [&] { ++closings; });
    dialog.Form_Load();
    dialog.show();
    folder.ports.back()->deliver(u"[<V>745</V><I>498.5</I><R>7</R><S>13</S>]"_s);

    for (QLineEdit* box : {dialog.BatteryVolts, dialog.BatteryCurrent, dialog.PulseDivider, dialog.Pulse2Divider}) {
        SCOPED_TRACE(box->text().toStdString());
        pressReturn(box);
        EXPECT_EQ(dialog.offset(), u"512");
        EXPECT_EQ(dialog.OffsetV->text(), u"512");
        EXPECT_TRUE(dialog.isVisible());
    }
    EXPECT_EQ(closings, 0);
    EXPECT_EQ(folder.read(u"settings.cfg"_s), calibration.text());

    // "Zero" still zeroes when it is pressed itself.
    dialog.Command2->click();
    EXPECT_EQ(dialog.offset(), u"498.5");
}

TEST(ReturnKey, InTheSetupBoxesSavesAsTheDefaultButtonSays)
{
    for (const int box : {0, 1, 2}) {
        TestFolder folder;
        ProgConfig prog;
        folder.write(u"prog.cfg"_s, prog.text());
        ProgramSetup dialog(folder.platform(), nullptr);
        QList<int> closings;
        QObject::connect(&dialog, &QDialog::finished, [&](int result) { closings << result; });
        dialog.Form_Load();
        dialog.show();
        dialog.LogDelay->setText(u"45"_s);
        pressReturn(QList<QLineEdit*>{dialog.PortNumber, dialog.LogDelay, dialog.WSUnits}.at(box));
        EXPECT_EQ(closings, QList<int>{QDialog::Accepted}) << box;
        EXPECT_TRUE(folder.read(u"prog.cfg"_s).contains("<LogDelay>45</LogDelay>")) << box;
    }
}

using ReturnKeyInViewer = GraphTest;

TEST_F(ReturnKeyInViewer, InATimeBoxRunsDisplayOnly)
{
    QByteArray day;
    for (const char* time : {"00:00", "06:00", "12:00", "18:00", "23:59"})
        day += recordLine(QString::fromLatin1(time));
    writeDay(day);
    open();
    graph->show();
    choose();
    ASSERT_EQ(graph->records.recordCount, 3);
    int closings = 0;
    QObject::connect(graph.get(), &QDialog::finished, [&] { ++closings; });

    int loads = 1;
    for (QLineEdit* box : {graph->Time1h, graph->Time1m, graph->Time2h, graph->Time2m}) {
        pressReturn(box);
        ++loads;
        EXPECT_EQ(readLogs(), day + QByteArray("\r\n").repeated(loads)) << "one empty line per load";
    }
    EXPECT_EQ(closings, 0);
    EXPECT_TRUE(graph->isVisible());
    EXPECT_EQ(QDir(folder.path(u"logs"_s)).entryList({u"*.csv"_s}), QStringList());
}

}  // namespace
}  // namespace corvane::test
