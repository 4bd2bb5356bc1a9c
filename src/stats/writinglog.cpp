#include "stats/writinglog.h"

#include <algorithm>

WritingLog::WritingLog(Clock clock) : m_clock(std::move(clock)) {}

void WritingLog::record(const QString& book, int added, int removed)
{
    if (added <= 0 && removed <= 0)
        return;
    const QDateTime now = m_clock();
    DayEntry& e = m_pending[qMakePair(now.date(), book)];
    e.day = now.date();
    e.book = book;
    e.added += std::max(0, added);
    e.removed += std::max(0, removed);
    const qint64 minute = now.toSecsSinceEpoch() / 60;
    auto last = m_lastMinute.find(book);
    if (last == m_lastMinute.end() || last.value() != minute) {
        ++e.minutes;
        m_lastMinute.insert(book, minute);
    }
}

void WritingLog::renameBook(const QString& from, const QString& to)
{
    const QVector<DayEntry> entries = pending();
    m_pending.clear();
    for (DayEntry e : entries) {
        if (e.book == from)
            e.book = to;
        DayEntry& into = m_pending[qMakePair(e.day, e.book)];
        into.day = e.day;
        into.book = e.book;
        into.added += e.added;
        into.removed += e.removed;
        into.minutes += e.minutes;
    }
    // The later of the two minutes: one already counted for `to` is not counted again.
    if (m_lastMinute.contains(from))
        m_lastMinute.insert(to, std::max(m_lastMinute.take(from), m_lastMinute.value(to)));
}

QVector<DayEntry> WritingLog::pending() const
{
    QVector<DayEntry> out;
    out.reserve(m_pending.size());
    for (const DayEntry& e : m_pending)
        out.append(e);
    return out;
}

int WritingLog::pendingNet(const QDate& day) const
{
    int net = 0;
    for (const DayEntry& e : m_pending) {
        if (e.day == day)
            net += e.net();
    }
    return net;
}
