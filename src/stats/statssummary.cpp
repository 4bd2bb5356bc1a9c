#include "stats/statssummary.h"

#include <QMap>

#include <algorithm>

namespace {

void addTo(PeriodFigures& f, const DayEntry& e)
{
    f.added += e.added;
    f.removed += e.removed;
    f.minutes += e.minutes;
}

QVector<DayEntry> daysFrom(const QMap<QDate, DayEntry>& byDay, const QDate& first,
                           const QDate& last)
{
    QVector<DayEntry> out;
    for (QDate d = first; d <= last; d = d.addDays(1)) {
        DayEntry e = byDay.value(d);
        e.day = d;
        out.append(e);
    }
    return out;
}

} // namespace

StatsSummary StatsSummary::compute(const QVector<DayEntry>& rows, const QDate& today, int goal)
{
    QMap<QDate, DayEntry> byDay;
    for (const DayEntry& r : rows) {
        DayEntry& e = byDay[r.day];
        e.day = r.day;
        e.added += r.added;
        e.removed += r.removed;
        e.minutes += r.minutes;
    }

    StatsSummary s;
    const QDate weekStart = today.addDays(1 - today.dayOfWeek());
    const QDate monthStart(today.year(), today.month(), 1);
    for (const DayEntry& e : byDay) {
        addTo(s.all, e);
        if (e.day > today)
            continue;
        if (e.day == today)
            addTo(s.today, e);
        if (e.day >= weekStart)
            addTo(s.week, e);
        if (e.day >= monthStart)
            addTo(s.month, e);
    }
    s.lastDays = daysFrom(byDay, today.addDays(-29), today);
    const QDate yearAgo = today.addMonths(-12).addDays(1);
    s.calendar = daysFrom(byDay, yearAgo.addDays(1 - yearAgo.dayOfWeek()), today);

    const auto met = [&](const QDate& d) {
        auto it = byDay.constFind(d);
        return it != byDay.constEnd() && it->net() >= goal && it->net() > 0;
    };
    int run = 0;
    QDate previous;
    for (const DayEntry& e : byDay) {
        if (!met(e.day)) {
            run = 0;
            continue;
        }
        run = previous.isValid() && previous.addDays(1) == e.day && run > 0 ? run + 1 : 1;
        previous = e.day;
        s.longestStreak = std::max(s.longestStreak, run);
    }
    for (QDate d = met(today) ? today : today.addDays(-1); met(d); d = d.addDays(-1))
        ++s.currentStreak;
    return s;
}
