#pragma once

#include "platform/platform.h"
#include "viewer/record_arrays.h"
#include "viewer/time_of_day.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace corvane {

class FileList;
class FolderList;
class PlotWidget;

// The log viewer: loads the records of one day file between two times of day, plots
// them, shows the values under the pointer, zooms into a dragged span and exports the
// plotted span as a CSV file. Opened modally by the main window, which keeps logging.
class Graph : public QDialog {
    Q_OBJECT
public:
    Graph(const Platform& platform, QWidget* parent);

    void Form_Load();
    void Dir1_Change();
    void File1_Click();
    // DISPLAY: loads the range of the chosen day file and draws it.
    void Command1_Click();
    void Command2_Click();
    void CSV_Click();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();
    void DrawPlot();
    // x in the units of the plot's current width.
    void Plot_MouseDown(float x);
    void Plot_MouseMove(float x);
    void Plot_MouseUp(float x);

    // Controls.
    FolderList* Dir1 = nullptr;
    FileList* File1 = nullptr;
    QLabel* text1 = nullptr;
    QLineEdit* Time1h = nullptr;
    QLineEdit* Time1m = nullptr;
    QLineEdit* Time2h = nullptr;
    QLineEdit* Time2m = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* CSV = nullptr;
    PlotWidget* Plot = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check5 = nullptr;
    QCheckBox* Check6 = nullptr;
    QLabel* stime = nullptr;
    QLabel* vt = nullptr;
    QLabel* ftime = nullptr;
    QLabel* vv = nullptr;
    QLabel* av = nullptr;
    QLabel* wv = nullptr;
    QLabel* rv = nullptr;
    QLabel* sv = nullptr;
    QLabel* VMax1 = nullptr;
    QLabel* VMin1 = nullptr;
    QLabel* AMax1 = nullptr;
    QLabel* AMin1 = nullptr;
    QLabel* WMax1 = nullptr;
    QLabel* WMin1 = nullptr;
    QLabel* RMax1 = nullptr;
    QLabel* RMin1 = nullptr;
    QLabel* SMax1 = nullptr;
    QLabel* SMin1 = nullptr;
    QLabel* watts = nullptr;

    // The records of the last load, recordCount among them.
    RecordArrays records;
    TimeOfDay fromTime = 0;
    TimeOfDay toTime = 0;
    double windowStart = 0;
    double windowEnd = 0;

    // From prog.cfg when the viewer opens.
    QString LogDelay;
    double voltsFullScale = 0;
    int maxAmps = 0;
    QString WSUnits;

    bool showVolts = false;
    bool showAmps = false;
    bool showWatts = false;
    bool showRpm = false;
    bool showSpeed = false;
    bool scaled = false;
    double windowWattHours = 0;

    bool buttonDown = false;
    bool zoomPending = false;

private:
    void buildControls();
    void connectHandlers();
    void readConfiguration();
    void seriesBoxClicked(bool& flag, const QCheckBox* box);
    QString dayFilePath() const;
    QString logsPath(const QString& name) const;
    // Appends the empty line that every load and export leaves in the day file.
    bool touchDayFile();
    void message(const QString& text);

    Platform m_platform;
    double m_logDelaySeconds = 0;
    // Why no log can be loaded with the values of prog.cfg; empty when they are usable.
    QString m_configProblem;
    // The window start that the plot's current width counts from; unlike windowStart it
    // does not move to the press position while the button is held.
    double m_plotStart = 0;
};

}  // namespace corvane
