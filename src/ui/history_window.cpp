#include "ui/history_window.h"

#include "history/history_folder.h"
#include "history/period_summary.h"
#include "history/period_text.h"
#include "history/summary_csv.h"
#include "logging/day_file.h"
#include "platform/clock.h"
#include "platform/interaction.h"
#include "ui/energy_chart.h"
#include "ui/graph.h"
#include "ui/graph_lists.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLocale>
#include <QSaveFile>
#include <QVBoxLayout>

namespace corvane {
namespace {

constexpr int kFirstYear = 1990;
constexpr int kLastYear = 2100;

QFont scaledFont(const QFont& base, double factor, bool bold)
{
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

}  // namespace

HistoryWindow::HistoryWindow(const Platform& platform, QWidget* parent) : QDialog(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("Energy History"));
    buildControls();
    connectHandlers();
}

void HistoryWindow::buildControls()
{
    Previous = new QPushButton(QStringLiteral("\u25C0"), this);
    Next = new QPushButton(QStringLiteral("\u25B6"), this);
    Previous->setToolTip(QStringLiteral("Previous"));
    Next->setToolTip(QStringLiteral("Next"));
    for (QPushButton* arrow : {Previous, Next})
        arrow->setFixedWidth(36);
    MonthView = new QPushButton(QStringLiteral("Month"), this);
    YearView = new QPushButton(QStringLiteral("Year"), this);
    auto* views = new QButtonGroup(this);
    for (QPushButton* view : {MonthView, YearView}) {
        view->setCheckable(true);
        views->addButton(view);
    }
    MonthPicker = new QComboBox(this);
    const QLocale english(QLocale::English);
    for (int month = 1; month <= 12; ++month)
        MonthPicker->addItem(english.standaloneMonthName(month));
    YearPicker = new QSpinBox(this);
    YearPicker->setRange(kFirstYear, kLastYear);
    Title = new QLabel(this);
    Title->setFont(scaledFont(font(), 1.6, true));
    Total = new QLabel(this);
    Total->setFont(scaledFont(font(), 1.25, true));
    Total->setStyleSheet(QStringLiteral("color: #238a66;"));
    Detail = new QLabel(this);
    Detail->setWordWrap(true);
    Detail->setMinimumHeight(Detail->fontMetrics().height() * 2 + 4);
    Chart = new EnergyChart(this);
    CSV = new QPushButton(QStringLiteral("CSV"), this);
    CSV->setToolTip(QStringLiteral("Save the summary of the shown period as a CSV file"));
    Close = new QPushButton(QStringLiteral("Close"), this);

    auto* navigation = new QHBoxLayout;
    navigation->addWidget(Previous);
    navigation->addWidget(Title);
    navigation->addWidget(Next);
    navigation->addStretch();
    navigation->addWidget(MonthView);
    navigation->addWidget(YearView);
    navigation->addSpacing(12);
    navigation->addWidget(MonthPicker);
    navigation->addWidget(YearPicker);

    auto* totals = new QHBoxLayout;
    totals->addWidget(Total);
    totals->addStretch();

    auto* commands = new QHBoxLayout;
    commands->addWidget(Detail, 1);
    commands->addWidget(CSV);
    commands->addWidget(Close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(navigation);
    layout->addLayout(totals);
    layout->addWidget(Chart, 1);
    layout->addLayout(commands);
    resize(900, 520);
}

void HistoryWindow::connectHandlers()
{
    connect(Previous, &QPushButton::clicked, this, &HistoryWindow::Previous_Click);
    connect(Next, &QPushButton::clicked, this, &HistoryWindow::Next_Click);
    connect(MonthView, &QPushButton::clicked, this, &HistoryWindow::MonthView_Click);
    connect(YearView, &QPushButton::clicked, this, &HistoryWindow::YearView_Click);
    connect(MonthPicker, &QComboBox::currentIndexChanged, this, &HistoryWindow::Picker_Change);
    connect(YearPicker, &QSpinBox::valueChanged, this, &HistoryWindow::Picker_Change);
    connect(Chart, &EnergyChart::hovered, this, &HistoryWindow::Chart_Hover);
    connect(Chart, &EnergyChart::activated, this, &HistoryWindow::Chart_DoubleClick);
    connect(CSV, &QPushButton::clicked, this, &HistoryWindow::CSV_Click);
    connect(Close, &QPushButton::clicked, this, &QDialog::accept);
}

void HistoryWindow::Form_Load()
{
    const QDate today = m_platform.clock->date();
    showMonth(today.year(), today.month());
}

void HistoryWindow::showMonth(int year, int month)
{
    m_yearView = false;
    m_year = std::clamp(year, kFirstYear, kLastYear);
    m_month = month;
    refresh();
}

void HistoryWindow::showYear(int year)
{
    m_yearView = true;
    m_year = std::clamp(year, kFirstYear, kLastYear);
    refresh();
}

void HistoryWindow::Previous_Click()
{
    if (m_yearView)
        showYear(m_year - 1);
    else if (m_month == 1)
        showMonth(m_year - 1, 12);
    else
        showMonth(m_year, m_month - 1);
}

void HistoryWindow::Next_Click()
{
    if (m_yearView)
        showYear(m_year + 1);
    else if (m_month == 12)
        showMonth(m_year + 1, 1);
    else
        showMonth(m_year, m_month + 1);
}

void HistoryWindow::MonthView_Click() { showMonth(m_year, m_month); }
void HistoryWindow::YearView_Click() { showYear(m_year); }

void HistoryWindow::Picker_Change()
{
    if (m_settingPickers)
        return;
    if (m_yearView)
        showYear(YearPicker->value());
    else
        showMonth(YearPicker->value(), MonthPicker->currentIndex() + 1);
}

QDate HistoryWindow::firstShownDay() const { return QDate(m_year, m_yearView ? 1 : m_month, 1); }

QDate HistoryWindow::lastShownDay() const
{
    return m_yearView ? QDate(m_year, 12, 31) : firstShownDay().addMonths(1).addDays(-1);
}

QString HistoryWindow::shownTitle() const
{
    return m_yearView ? QString::number(m_year) : monthTitle(m_year, m_month);
}

void HistoryWindow::refresh()
{
    const HistoryReading reading = readHistory(m_platform.programFolder, firstShownDay(), lastShownDay());
    m_days = reading.days;

    m_settingPickers = true;
    MonthView->setChecked(!m_yearView);
    YearView->setChecked(m_yearView);
    MonthPicker->setCurrentIndex(m_month - 1);
    MonthPicker->setEnabled(!m_yearView);
    YearPicker->setValue(m_year);
    m_settingPickers = false;

    const QDate today = m_platform.clock->date();
    QStringList labels;
    std::optional<int> marked;
    if (m_yearView) {
        const QLocale english(QLocale::English);
        for (int month = 1; month <= 12; ++month)
            labels << english.standaloneMonthName(month, QLocale::ShortFormat);
        if (today.year() == m_year)
            marked = today.month() - 1;
        Chart->setBars(monthlyEnergy(m_days, m_year), labels, marked);
    } else {
        const int days = firstShownDay().daysInMonth();
        for (int day = 1; day <= days; ++day)
            labels << QString::number(day);
        if (today.year() == m_year && today.month() == m_month)
            marked = today.day() - 1;
        Chart->setBars(dailyEnergy(m_days, m_year, m_month), labels, marked);
    }

    const PeriodSummary period = summarisePeriod(m_days, firstShownDay(), lastShownDay());
    Title->setText(shownTitle());
    Total->setText((m_yearView ? QStringLiteral("Year total: ") : QStringLiteral("Month total: "))
                   + energyText(period.total.energyWh));
    QString detail = periodText(shownTitle(), period);
    if (!reading.problems.isEmpty())
        detail += QStringLiteral("\nNot read: ") + reading.problems.join(QStringLiteral("; "));
    Detail->setText(detail);
}

const DaySummary* HistoryWindow::summaryOf(const QDate& date) const
{
    for (const DayEntry& day : m_days) {
        if (day.date == date)
            return &day.summary;
    }
    return nullptr;
}

void HistoryWindow::Chart_Hover(int slot)
{
    if (slot < 0) {
        Detail->setText(periodText(shownTitle(), summarisePeriod(m_days, firstShownDay(), lastShownDay())));
        return;
    }
    if (m_yearView) {
        const QDate first(m_year, slot + 1, 1);
        Detail->setText(periodText(monthTitle(m_year, slot + 1),
                                   summarisePeriod(m_days, first, first.addMonths(1).addDays(-1))));
        return;
    }
    const QDate date(m_year, m_month, slot + 1);
    Detail->setText(dayText(date, summaryOf(date)));
}

void HistoryWindow::Chart_DoubleClick(int slot)
{
    if (m_yearView) {
        showMonth(m_year, slot + 1);
        return;
    }
    const QDate date(m_year, m_month, slot + 1);
    if (!summaryOf(date))
        return;
    Graph graph(m_platform, this);
    graph.Form_Load();
    const QList<QListWidgetItem*> items = graph.File1->findItems(dayFileName(date), Qt::MatchExactly);
    if (items.isEmpty())
        return;
    graph.File1->setCurrentItem(items.first());
    graph.File1_Click();
    m_platform.interaction->showModal(graph);
    refresh();
}

void HistoryWindow::CSV_Click()
{
    const QString name = m_yearView ? QStringLiteral("summary_%1.csv").arg(m_year)
                                    : QStringLiteral("summary_%1_%2.csv").arg(m_year).arg(m_month, 2, 10, QChar(u'0'));
    const QString path = m_platform.interaction->chooseSaveFile(this, QStringLiteral("Save the summary"),
                                                                m_platform.path(name));
    if (path.isEmpty())
        return;
    const QByteArray text = summaryCsv(m_days).toLatin1();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        message(QStringLiteral("The summary could not be saved: ") + file.errorString());
}

void HistoryWindow::message(const QString& text) { m_platform.interaction->message(this, text); }

}  // namespace corvane
