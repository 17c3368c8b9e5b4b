#include "ui/graph.h"

#include "config/config_files.h"
#include "platform/files.h"
#include "platform/interaction.h"
#include "text/failure.h"
#include "ui/graph_lists.h"
#include "ui/graph_texts.h"
#include "ui/plot_widget.h"
#include "viewer/viewer_config.h"

namespace corvane {

Graph::Graph(const Platform& platform, QWidget* parent) : QDialog(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Graph"));
    setWindowTitle(graph_text::caption);
    buildControls();
    connectHandlers();
}

void Graph::connectHandlers()
{
    connect(Dir1, &FolderList::changed, this, &Graph::Dir1_Change);
    connect(File1, &QListWidget::itemClicked, this, &Graph::File1_Click);
    connect(Command1, &QPushButton::clicked, this, &Graph::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Graph::Command2_Click);
    connect(CSV, &QPushButton::clicked, this, &Graph::CSV_Click);
    // Toggled, not clicked: setting a box from the program runs its handler too.
    connect(Check1, &QCheckBox::toggled, this, &Graph::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &Graph::Check2_Click);
    connect(Check3, &QCheckBox::toggled, this, &Graph::Check3_Click);
    connect(Check4, &QCheckBox::toggled, this, &Graph::Check4_Click);
    connect(Check5, &QCheckBox::toggled, this, &Graph::Check5_Click);
    connect(Check6, &QCheckBox::toggled, this, &Graph::Check6_Click);
    connect(Plot, &PlotWidget::pressed, this, &Graph::Plot_MouseDown);
    connect(Plot, &PlotWidget::moved, this, &Graph::Plot_MouseMove);
    connect(Plot, &PlotWidget::released, this, &Graph::Plot_MouseUp);
}

void Graph::Form_Load()
{
    Dir1->setPath(m_platform.path(graph_text::logsFolder));
    buttonDown = false;
    windowStart = 0;
    windowEnd = 0;
    readConfiguration();

    Check1->setChecked(true);
    Check2->setChecked(true);
    Check3->setChecked(true);
    Check4->setChecked(true);
    Check6->setChecked(true);
    Check5->setChecked(false);
    showVolts = showAmps = showWatts = showRpm = true;
    showSpeed = false;
    scaled = true;
}

void Graph::readConfiguration()
{
    QString text;
    try {
        text = readWholeFile(m_platform.path(kProgramConfigFile));
    } catch (const Failure&) {
        m_configProblem = graph_text::configUnreadable;
        message(m_configProblem);
        return;
    }
    const ViewerConfigReading reading = readViewerConfig(text);
    if (!reading.config) {
        m_configProblem = graph_text::configValueUnusable.arg(reading.unusableKey);
        message(m_configProblem);
        return;
    }
    m_configProblem.clear();
    LogDelay = reading.config->LogDelay;
    m_logDelaySeconds = reading.config->logDelaySeconds;
    voltsFullScale = reading.config->voltsFullScale;
    maxAmps = reading.config->maxAmps;
    WSUnits = reading.config->WSUnits;
}

void Graph::Dir1_Change() { File1->setPath(Dir1->path()); }

void Graph::File1_Click()
{
    text1->setText(File1->fileName());
    Time1h->setText(QStringLiteral("00"));
    Time2h->setText(QStringLiteral("23"));
    Time1m->setText(QStringLiteral("00"));
    Time2m->setText(QStringLiteral("59"));
    Command1_Click();
}

void Graph::Command2_Click() { close(); }

void Graph::seriesBoxClicked(bool& flag, const QCheckBox* box)
{
    flag = box->isChecked();
    if (records.recordCount > 1)
        DrawPlot();
}

void Graph::Check1_Click() { seriesBoxClicked(showVolts, Check1); }
void Graph::Check2_Click() { seriesBoxClicked(showAmps, Check2); }
void Graph::Check3_Click() { seriesBoxClicked(showWatts, Check3); }
void Graph::Check4_Click() { seriesBoxClicked(showRpm, Check4); }
void Graph::Check5_Click() { seriesBoxClicked(showSpeed, Check5); }

void Graph::Check6_Click()
{
    scaled = Check6->isChecked();
    Check6->setText(scaled ? graph_text::scaled : graph_text::unscaled);
    if (records.recordCount > 1)
        DrawPlot();
}

QString Graph::logsPath(const QString& name) const
{
    return m_platform.path(graph_text::logsFolder + u'/' + name);
}

QString Graph::dayFilePath() const { return logsPath(text1->text()); }

bool Graph::touchDayFile()
{
    try {
        appendToFile(dayFilePath(), graph_text::lineEnd);
    } catch (const Failure& failure) {
        message(graph_text::dayFileFailed.arg(failure.description()));
        return false;
    }
    return true;
}

void Graph::message(const QString& text) { m_platform.interaction->message(this, text); }

}  // namespace corvane
