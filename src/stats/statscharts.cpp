#include "stats/statscharts.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {
const int kCell = 12;
const int kGap = 2;
const int kMargin = 6;
const QColor kShades[] = {QColor("#ebedf0"), QColor("#9be9a8"), QColor("#40c463"),
                          QColor("#30a14e"), QColor("#216e39")};
} // namespace

QString dayTip(const DayEntry& e)
{
    return QObject::tr("%1 新增 %2 · 删除 %3 · 净增 %4 · %5 分钟")
        .arg(e.day.toString(QStringLiteral("yyyy-MM-dd")))
        .arg(e.added)
        .arg(e.removed)
        .arg(e.net())
        .arg(e.minutes);
}

void DayChart::setDays(const QVector<DayEntry>& days, int goal)
{
    m_days = days;
    m_goal = goal;
    updateGeometry();
    update();
}

bool DayChart::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const QHelpEvent* help = static_cast<QHelpEvent*>(event);
    const int index = dayAt(help->pos());
    if (index >= 0)
        QToolTip::showText(help->globalPos(), dayTip(m_days[index]), this);
    else
        QToolTip::hideText();
    return true;
}

int DayBarChart::scaleMax() const
{
    int top = std::max(1, m_goal);
    for (const DayEntry& e : m_days)
        top = std::max(top, e.net());
    return top + top / 10;
}

QRect DayBarChart::barRect(int i) const
{
    if (m_days.isEmpty())
        return QRect();
    const QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const double slot = double(area.width()) / m_days.size();
    const int h = int(double(area.height()) * std::max(0, m_days[i].net()) / scaleMax());
    const int x = area.left() + int(i * slot);
    return QRect(x + 1, area.bottom() - h, std::max(1, int(slot) - 2), h);
}

int DayBarChart::dayAt(const QPoint& pos) const
{
    for (int i = 0; i < m_days.size(); ++i) {
        const QRect r = barRect(i);
        // The whole column answers, so that an empty day can be hovered too.
        if (pos.x() >= r.left() && pos.x() <= r.right() && rect().contains(pos))
            return i;
    }
    return -1;
}

void DayBarChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor ink = palette().color(QPalette::WindowText);
    for (int i = 0; i < m_days.size(); ++i) {
        const bool reached = m_goal > 0 && m_days[i].net() >= m_goal;
        p.fillRect(barRect(i), reached ? kShades[3] : kShades[1]);
    }
    const QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const int y = area.bottom() - int(double(area.height()) * m_goal / scaleMax());
    p.setPen(QPen(Qt::red, 1, Qt::DashLine));
    p.drawLine(area.left(), y, area.right(), y);
    p.setPen(ink);
    p.drawLine(area.bottomLeft(), area.bottomRight());
}

int CalendarHeatMap::shade(int net, int goal)
{
    if (net <= 0)
        return 0;
    const int g = std::max(1, goal);
    return net * 2 < g ? 1 : net < g ? 2 : net < 2 * g ? 3 : 4;
}

QRect CalendarHeatMap::cellRect(int i) const
{
    // The first day is a Monday: column = week, row = weekday.
    return QRect(kMargin + (i / 7) * (kCell + kGap), kMargin + (i % 7) * (kCell + kGap), kCell,
                 kCell);
}

int CalendarHeatMap::dayAt(const QPoint& pos) const
{
    for (int i = 0; i < m_days.size(); ++i) {
        if (cellRect(i).contains(pos))
            return i;
    }
    return -1;
}

QSize CalendarHeatMap::sizeHint() const
{
    const int weeks = (m_days.size() + 6) / 7;
    return QSize(2 * kMargin + weeks * (kCell + kGap), 2 * kMargin + 7 * (kCell + kGap));
}

void CalendarHeatMap::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    for (int i = 0; i < m_days.size(); ++i)
        p.fillRect(cellRect(i), kShades[shade(m_days[i].net(), m_goal)]);
}
