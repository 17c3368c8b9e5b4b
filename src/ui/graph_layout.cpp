// The viewer's controls and their arrangement: the file choice and the time range in a
// column on the left, the plot with its labels on the right.
#include "ui/graph.h"

#include "ui/graph_lists.h"
#include "ui/graph_texts.h"
#include "ui/plot_widget.h"
#include "ui/series_swatch.h"
#include "ui/single_line_label.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace corvane {
namespace {

constexpr int kLeftColumnWidth = 270;
constexpr int kTimeBoxWidth = 34;
constexpr int kFolderListHeight = 72;
constexpr int kSmallButtonWidth = 60;

// Labels whose text comes from the data must not push the window wider; a text wider
// than its label ends in "…" and shows whole in the tooltip.
QLabel* makeValueLabel(const QString& text, QWidget* parent)
{
    auto* label = new SingleLineLabel(parent);
    label->setText(text);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(40);
    return label;
}

QLineEdit* makeTimeBox(const QString& text, QWidget* parent)
{
    auto* box = new QLineEdit(text, parent);
    box->setFixedWidth(kTimeBoxWidth);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

}  // namespace

void Graph::buildControls()
{
    auto* title = new QLabel(graph_text::title, this);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 3);
    titleFont.setBold(true);
    title->setFont(titleFont);
    CSV = new QPushButton(graph_text::csv, this);
    Command2 = new QPushButton(graph_text::exit, this);
    CSV->setMaximumWidth(kSmallButtonWidth);
    Command2->setMaximumWidth(kSmallButtonWidth);
    text1 = makeValueLabel(QString(), this);
    text1->setFrameShape(QFrame::StyledPanel);
    Time1h = makeTimeBox(QStringLiteral("00"), this);
    Time1m = makeTimeBox(QStringLiteral("00"), this);
    Time2h = makeTimeBox(QStringLiteral("23"), this);
    Time2m = makeTimeBox(QStringLiteral("59"), this);
    Command1 = new QPushButton(graph_text::display, this);
    Command1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    // Enter in a time box loads; it must never export or close by accident.
    Command1->setDefault(true);
    CSV->setAutoDefault(false);
    Command2->setAutoDefault(false);
    Dir1 = new FolderList(this);
    Dir1->setFixedHeight(kFolderListHeight);
    File1 = new FileList(graph_text::fileFilter, this);
    watts = makeValueLabel(graph_text::wattHours, this);
    Check6 = new QCheckBox(graph_text::scaled, this);

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(title, 1);
    titleRow->addWidget(CSV);
    titleRow->addWidget(Command2);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(graph_text::file, this));
    fileRow->addWidget(text1, 1);

    auto* times = new QGridLayout;
    times->addWidget(new QLabel(graph_text::time, this), 0, 1, 1, 3, Qt::AlignCenter);
    times->addWidget(new QLabel(graph_text::from, this), 1, 0);
    times->addWidget(Time1h, 1, 1);
    times->addWidget(new QLabel(graph_text::colon, this), 1, 2);
    times->addWidget(Time1m, 1, 3);
    times->addWidget(new QLabel(graph_text::to, this), 2, 0);
    times->addWidget(Time2h, 2, 1);
    times->addWidget(new QLabel(graph_text::colon, this), 2, 2);
    times->addWidget(Time2m, 2, 3);
    times->addWidget(Command1, 1, 4, 2, 1);
    times->setColumnStretch(4, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(titleRow);
    left->addLayout(fileRow);
    left->addLayout(times);
    left->addWidget(Dir1);
    left->addWidget(File1, 1);
    left->addWidget(watts);
    left->addWidget(Check6);

    stime = makeValueLabel(graph_text::start, this);
    vt = makeValueLabel(QString(), this);
    vt->setAlignment(Qt::AlignCenter);
    ftime = makeValueLabel(graph_text::finish, this);
    ftime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(stime, 1);
    timeRow->addWidget(vt, 1);
    timeRow->addWidget(ftime, 1);

    Plot = new PlotWidget(this);
    Plot->setMinimumSize(200, 120);

    Check1 = new QCheckBox(graph_text::volts, this);
    Check2 = new QCheckBox(graph_text::amps, this);
    Check3 = new QCheckBox(graph_text::watts, this);
    Check4 = new QCheckBox(graph_text::rpm, this);
    Check5 = new QCheckBox(graph_text::windSpeed, this);
    const auto label = [this] { return makeValueLabel(graph_text::zero, this); };
    vv = label(); VMax1 = label(); VMin1 = label();
    av = label(); AMax1 = label(); AMin1 = label();
    wv = label(); WMax1 = label(); WMin1 = label();
    rv = label(); RMax1 = label(); RMin1 = label();
    sv = label(); SMax1 = label(); SMin1 = label();

    // One column per series: cursor value, upper limit, lower limit; its box beside the upper limit.
    QCheckBox* const boxes[] = {Check1, Check2, Check3, Check4, Check5};
    QLabel* const columns[][3] = {{vv, VMax1, VMin1}, {av, AMax1, AMin1}, {wv, WMax1, WMin1},
                                  {rv, RMax1, RMin1}, {sv, SMax1, SMin1}};
    auto* limits = new QGridLayout;
    for (int s = 0; s < 5; ++s) {
        // The series' line colour on the plot's background, so the plot reads without a key.
        auto* box = new QHBoxLayout;
        box->setSpacing(4);
        box->addWidget(new SeriesSwatch(kAllSeries[s], this));
        box->addWidget(boxes[s]);
        limits->addLayout(box, 1, 2 * s);
        for (int row = 0; row < 3; ++row)
            limits->addWidget(columns[s][row], row, 2 * s + 1);
        limits->setColumnStretch(2 * s + 1, 1);
    }

    auto* right = new QVBoxLayout;
    right->addLayout(timeRow);
    right->addWidget(Plot, 1);
    right->addLayout(limits);

    auto* leftColumn = new QWidget(this);
    leftColumn->setFixedWidth(kLeftColumnWidth);
    leftColumn->setLayout(left);

    auto* outer = new QHBoxLayout(this);
    outer->addWidget(leftColumn);
    outer->addLayout(right, 1);
    resize(1050, 620);
}

}  // namespace corvane
