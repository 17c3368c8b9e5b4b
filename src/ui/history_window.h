#pragma once

#include "history/day_entry.h"
#include "platform/platform.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace corvane {

class EnergyChart;

// What each day, month and year brought in, from the day files: a month of daily bars
// with the month's total, or a year of monthly bars. It only reads the logs.
class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    HistoryWindow(const Platform& platform, QWidget* parent);

    // Opens on the current month.
    void Form_Load();
    void showMonth(int year, int month);
    void showYear(int year);
    void Previous_Click();
    void Next_Click();
    void MonthView_Click();
    void YearView_Click();
    // The month and year boxes.
    void Picker_Change();
    // slot -1: the pointer left the bars.
    void Chart_Hover(int slot);
    // Opens the log viewer on the day of the slot, the whole day shown.
    void Chart_DoubleClick(int slot);
    void CSV_Click();

    bool yearView() const { return m_yearView; }
    int shownYear() const { return m_year; }
    int shownMonth() const { return m_month; }
    const std::vector<DayEntry>& shownDays() const { return m_days; }

    // Controls.
    QPushButton* Previous = nullptr;
    QPushButton* Next = nullptr;
    QPushButton* MonthView = nullptr;
    QPushButton* YearView = nullptr;
    QComboBox* MonthPicker = nullptr;
    QSpinBox* YearPicker = nullptr;
    QLabel* Title = nullptr;
    QLabel* Total = nullptr;
    QLabel* Detail = nullptr;
    EnergyChart* Chart = nullptr;
    QPushButton* CSV = nullptr;
    QPushButton* Close = nullptr;

private:
    void buildControls();
    void connectHandlers();
    // Reads the shown year's day files and fills the chart and labels for the view.
    void refresh();
    QDate firstShownDay() const;
    QDate lastShownDay() const;
    QString shownTitle() const;
    const DaySummary* summaryOf(const QDate& date) const;
    void message(const QString& text);

    Platform m_platform;
    bool m_yearView = false;
    int m_year = 2000;
    int m_month = 1;
    // The day files of the shown period, in date order.
    std::vector<DayEntry> m_days;
    bool m_settingPickers = false;
};

}  // namespace corvane
