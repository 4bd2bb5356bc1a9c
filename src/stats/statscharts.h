#pragma once

#include "stats/writinglog.h"

#include <QVector>
#include <QWidget>

// The last days as bars of net characters with the daily goal as a line. Drawn with
// QPainter: two small pictures need no chart library loaded into the program.
class DayBarChart : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    void setDays(const QVector<DayEntry>& days, int goal);
    const QVector<DayEntry>& days() const { return m_days; }
    int goal() const { return m_goal; }
    // The bar under `pos`, or -1.
    int barAt(const QPoint& pos) const;
    QRect barRect(int i) const;

    QSize sizeHint() const override { return QSize(600, 180); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    int scaleMax() const;

    QVector<DayEntry> m_days;
    int m_goal = 0;
};

// A year of days as squares, one column a week (Monday on top), shaded by net characters
// against the goal.
class CalendarHeatMap : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    void setDays(const QVector<DayEntry>& days, int goal);
    const QVector<DayEntry>& days() const { return m_days; }
    // 0 for no writing, up to 4 for twice the goal and more.
    static int shade(int net, int goal);
    int dayAt(const QPoint& pos) const;
    QRect cellRect(int i) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QVector<DayEntry> m_days;
    int m_goal = 0;
};

// "2026-03-01 新增 120 · 删除 20 · 净增 100 · 18 分钟"
QString dayTip(const DayEntry& e);
