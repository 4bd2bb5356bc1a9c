#pragma once

#include "stats/writinglog.h"

#include <QVector>
#include <QWidget>

// What both charts share: the days they show against the goal, and the tooltip with the
// figures of the day under the pointer.
class DayChart : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    void setDays(const QVector<DayEntry>& days, int goal);
    const QVector<DayEntry>& days() const { return m_days; }
    int goal() const { return m_goal; }
    // The day under `pos`, or -1.
    virtual int dayAt(const QPoint& pos) const = 0;

protected:
    bool event(QEvent* event) override;

    QVector<DayEntry> m_days;
    int m_goal = 0;
};

// The last days as bars of net characters with the daily goal as a line. Drawn with
// QPainter: two small pictures need no chart library loaded into the program.
class DayBarChart : public DayChart
{
    Q_OBJECT
public:
    using DayChart::DayChart;

    int dayAt(const QPoint& pos) const override;
    QRect barRect(int i) const;

    QSize sizeHint() const override { return QSize(600, 180); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int scaleMax() const;
};

// A year of days as squares, one column a week (Monday on top), shaded by net characters
// against the goal.
class CalendarHeatMap : public DayChart
{
    Q_OBJECT
public:
    using DayChart::DayChart;

    // 0 for no writing, up to 4 for twice the goal and more.
    static int shade(int net, int goal);
    int dayAt(const QPoint& pos) const override;
    QRect cellRect(int i) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// "2026-03-01 新增 120 · 删除 20 · 净增 100 · 18 分钟"
QString dayTip(const DayEntry& e);
