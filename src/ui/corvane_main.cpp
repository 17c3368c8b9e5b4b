#include "ui/corvane_main.h"

#include "ui/corvane_main_texts.h"
#include "ui/live_list_delegate.h"
#include "ui/opaque_viewport.h"
#include "ui/single_line_label.h"
#include "ui/twips.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

namespace corvane {
namespace {
constexpr int kWindowWidthTwips = 9000;
constexpr int kTopAreaTwips = 5025;
constexpr int kTallWindowTwips = 5900;
const QColor kLivePanelBackground(0x1f, 0x27, 0x2e);

QPushButton* makeLamp(QWidget* parent)
{
    auto* lamp = new QPushButton(parent);
    lamp->setFixedSize(16, 16);
    lamp->setFocusPolicy(Qt::NoFocus);
    lamp->setAutoFillBackground(true);
    return lamp;
}
}  // namespace

CorvaneMain::CorvaneMain(const Platform& platform, QWidget* parent, DisplayUpdates display)
    : QWidget(parent), m_platform(platform), m_displayUpdates(display == DisplayUpdates::On)
{
    setObjectName(QStringLiteral("CorvaneMain"));
    MSComm1 = m_platform.makeSerialPort();
    buildControls();

    // The coarse default would move each tick onto a whole second (a 12.5 s interval would
    // log every 12 s) and skew the 5 s watt-hour steps.
    for (QTimer* timer : {&Timer1, &Timer2, &Timer3})
        timer->setTimerType(Qt::PreciseTimer);
    Timer1.setInterval(1000);
    Timer2.setInterval(250);
    Timer3.setInterval(5000);
    Timer3.start();
    connectHandlers();
}

CorvaneMain::~CorvaneMain() = default;

void CorvaneMain::buildControls()
{
    Label11 = new QLabel(QStringLiteral("Corvane"), this);
    QFont titleFont = Label11->font();
    titleFont.setPointSize(20);
    titleFont.setBold(true);
    Label11->setFont(titleFont);
    Label11->setToolTip(QStringLiteral("Program folder: ") + QDir::toNativeSeparators(m_platform.programFolder));
    Label1 = new QLabel(main_text::webAddress, this);
    BlinkData = makeLamp(this);
    BlinkLog = makeLamp(this);
    BlinkData->setToolTip(QStringLiteral("Data"));
    BlinkLog->setToolTip(QStringLiteral("Log"));

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    // A dark panel, like the meters beside the batteries it stands for. Styling it measures
    // the list's header, which loads fonts: not worth it for a window nobody sees.
    if (m_displayUpdates)
        ListView1->setStyleSheet(QStringLiteral(
            "QTreeWidget#ListView1 { background: %1; color: #e9f1ee; border: 1px solid #10161a;"
            " border-radius: 6px; padding: 4px; }").arg(kLivePanelBackground.name()));
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionMode(QAbstractItemView::NoSelection);
    ListView1->setFocusPolicy(Qt::NoFocus);
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListView1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every row has the same font, so a new value need not measure its row again.
    ListView1->setUniformRowHeights(true);
    ListView1->setItemDelegate(new LiveListDelegate(ListView1));
    fillViewportPlainly(ListView1, kLivePanelBackground);
    txtMode = new QLabel(this);

    Label14 = new QLabel(QStringLiteral("Logging"), this);
    QFont headingFont = Label14->font();
    headingFont.setBold(true);
    Label14->setFont(headingFont);
    Label9 = new QLabel(QStringLiteral("Interval"), this);
    delay = new QLineEdit(QStringLiteral("60"), this);
    delay->setFixedWidth(60);
    Label10 = new QLabel(QStringLiteral("Seconds"), this);
    StartLogging = new QPushButton(QStringLiteral("Start"), this);
    StopLogging = new QPushButton(QStringLiteral("Stop"), this);
    Setup = new QPushButton(QStringLiteral("Program Setup"), this);
    CalibrateButton = new QPushButton(QStringLiteral("Calibrate"), this);
    ShowLogs = new QPushButton(QStringLiteral("Show Logs"), this);
    History = new QPushButton(QStringLiteral("History"), this);
    Exit = new QPushButton(QStringLiteral("Exit"), this);
    Check1 = new QCheckBox(QStringLiteral("COMMs"), this);
    Check1->setChecked(true);

    auto* lamps = new QHBoxLayout;
    lamps->addStretch();
    lamps->addWidget(new QLabel(QStringLiteral("Data"), this));
    lamps->addWidget(BlinkData);
    lamps->addSpacing(8);
    lamps->addWidget(new QLabel(QStringLiteral("Log"), this));
    lamps->addWidget(BlinkLog);

    auto* header = new QHBoxLayout;
    header->addWidget(Label11);
    header->addStretch();
    header->addLayout(lamps);

    auto* interval = new QHBoxLayout;
    interval->addWidget(Label9);
    interval->addWidget(delay);
    interval->addWidget(Label10);
    interval->addStretch();

    auto* startStop = new QHBoxLayout;
    startStop->addWidget(StartLogging);
    startStop->addWidget(StopLogging);

    auto* commands = new QVBoxLayout;
    commands->addWidget(Label14);
    commands->addLayout(interval);
    commands->addLayout(startStop);
    commands->addSpacing(8);
    commands->addWidget(Setup);
    commands->addWidget(CalibrateButton);
    commands->addWidget(ShowLogs);
    commands->addWidget(History);
    commands->addWidget(Exit);
    commands->addStretch();
    commands->addWidget(Check1);

    auto* live = new QVBoxLayout;
    live->addWidget(ListView1, 1);
    live->addWidget(txtMode);

    auto* body = new QHBoxLayout;
    body->addLayout(live, 3);
    body->addLayout(commands, 2);

    auto* topArea = new QWidget(this);
    auto* top = new QVBoxLayout(topArea);
    top->addLayout(header);
    top->addLayout(body, 1);
    top->addWidget(Label1);
    topArea->setFixedHeight(twipsToPixels(kTopAreaTwips));

    messageArea = new QWidget(this);
    Label2 = new SingleLineLabel(messageArea);
    ErrorString = new SingleLineLabel(messageArea);
    // A whole frame (up to 60 characters) fits on one line in a fixed-width font.
    QFont frameFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    frameFont.setPointSize(8);
    Label2->setFont(frameFont);
    auto* messages = new QVBoxLayout(messageArea);
    messages->setContentsMargins(10, 2, 10, 6);
    messages->addWidget(Label2);
    messages->addWidget(ErrorString);
    messageArea->setFixedHeight(twipsToPixels(kTallWindowTwips - kTopAreaTwips));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->setSizeConstraint(QLayout::SetNoConstraint);
    outer->addWidget(topArea);
    outer->addWidget(messageArea);
    outer->addStretch();

    // Sizing the window lays it out, which measures the message lines' font.
    if (m_displayUpdates)
        setWindowHeightTwips(kTallWindowTwips);
}

void CorvaneMain::connectHandlers()
{
    connect(MSComm1.get(), &SerialPort::received, this, &CorvaneMain::MSComm1_OnComm);
    connect(MSComm1.get(), &SerialPort::linkStatus, this, &CorvaneMain::showInLabel2);
    connect(&Timer1, &QTimer::timeout, this, &CorvaneMain::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &CorvaneMain::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &CorvaneMain::Timer3_Timer);
    connect(StartLogging, &QPushButton::clicked, this, &CorvaneMain::StartLogging_Click);
    connect(StopLogging, &QPushButton::clicked, this, &CorvaneMain::StopLogging_Click);
    connect(Setup, &QPushButton::clicked, this, &CorvaneMain::Setup_Click);
    connect(CalibrateButton, &QPushButton::clicked, this, &CorvaneMain::CalibrateButton_Click);
    connect(ShowLogs, &QPushButton::clicked, this, &CorvaneMain::ShowLogs_Click);
    connect(History, &QPushButton::clicked, this, &CorvaneMain::History_Click);
    connect(Exit, &QPushButton::clicked, this, &CorvaneMain::Exit_Click);
    connect(Check1, &QCheckBox::clicked, this, &CorvaneMain::Check1_Click);
}

void CorvaneMain::setWindowHeightTwips(int twips)
{
    setFixedSize(twipsToPixels(kWindowWidthTwips), twipsToPixels(twips));
    messageArea->setVisible(twips >= kTallWindowTwips);
}

void CorvaneMain::setLamp(QPushButton* lamp, bool lit)
{
    if (!m_displayUpdates)
        return;
    QPalette palette = lamp->palette();
    palette.setColor(QPalette::Button, lit ? QColor(255, 0, 0) : QWidget::palette().color(QPalette::Button));
    lamp->setPalette(palette);
}

void CorvaneMain::showInLabel2(const QString& text)
{
    if (m_displayUpdates)
        Label2->setText(text);
}

void CorvaneMain::Timer2_Timer()
{
    setLamp(BlinkData, false);
    setLamp(BlinkLog, false);
    Timer2.stop();
}

}  // namespace corvane
