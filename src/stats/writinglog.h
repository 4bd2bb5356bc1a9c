#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>

#include <functional>

// One day's writing in one book.
struct DayEntry {
    QDate day;
    QString book;
    int added = 0;
    int removed = 0;
    int minutes = 0; // minutes with at least one edit

    int net() const { return added - removed; }
};

// The author's writing since the last save, per local day and book. Each edit lands on the
// day its clock shows, so a session across midnight is split there; a minute counts as
// active once, however many edits it holds.
class WritingLog
{
public:
    using Clock = std::function<QDateTime()>;
    explicit WritingLog(Clock clock = &QDateTime::currentDateTime);

    void record(const QString& book, int added, int removed);

    // A renamed book's unsaved writing goes with it.
    void renameBook(const QString& from, const QString& to);

    // The entries not yet written, and forgetting them once they are.
    QVector<DayEntry> pending() const;
    void clearPending() { m_pending.clear(); }
    bool hasPending() const { return !m_pending.isEmpty(); }

    // Net characters of `day` not yet written, over all books.
    int pendingNet(const QDate& day) const;

    QDate today() const { return m_clock().date(); }

private:
    Clock m_clock;
    QHash<QPair<QDate, QString>, DayEntry> m_pending;
    QHash<QString, qint64> m_lastMinute; // per book, minutes since the epoch
};
