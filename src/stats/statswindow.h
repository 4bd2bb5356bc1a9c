#pragma once

#include "stats/statssummary.h"

#include <QSqlDatabase>
#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;
class DayBarChart;
class CalendarHeatMap;

// 码字统计: the log of all books or one, as period figures, the last 30 days, a year's
// calendar and the goal streaks, with an export of the log as CSV.
class StatsWindow : public QWidget
{
    Q_OBJECT
public:
    StatsWindow(QSqlDatabase db, QWidget* parent = nullptr);

    // Reads the log again (the caller saves pending writing first).
    void reload(const QDate& today, int goal);
    // Writes the shown book's log (or all) to `path`; false when the file cannot be written.
    bool exportCsv(const QString& path) const;

    const StatsSummary& summary() const { return m_summary; }
    DayBarChart* barChart() const { return m_bars; }
    CalendarHeatMap* heatMap() const { return m_heat; }
    QComboBox* bookChoice() const { return m_book; }

private:
    QString chosenBook() const;
    void refresh();
    void chooseExport();

    QSqlDatabase m_db;
    QDate m_today;
    int m_goal = 0;
    StatsSummary m_summary;
    QComboBox* m_book;
    QTableWidget* m_table;
    QLabel* m_streaks;
    DayBarChart* m_bars;
    CalendarHeatMap* m_heat;
};
