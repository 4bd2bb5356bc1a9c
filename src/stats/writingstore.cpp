#include "stats/writingstore.h"

#include "stats/sqlbatch.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace WritingStore {

namespace {
const char kCreate[] = "create table if not exists writing_log(day text not null,"
                       "book text not null,added integer not null default 0,"
                       "removed integer not null default 0,minutes integer not null default 0,"
                       "primary key(day, book))";
const char kAdd[] = "insert into writing_log(day,book,added,removed,minutes) values(?,?,?,?,?) "
                    "on conflict(day,book) do update set added=added+excluded.added,"
                    "removed=removed+excluded.removed,minutes=minutes+excluded.minutes";
const char kMove[] = "insert into writing_log(day,book,added,removed,minutes) "
                     "select day,?,added,removed,minutes from writing_log where book=? "
                     "on conflict(day,book) do update set added=added+excluded.added,"
                     "removed=removed+excluded.removed,minutes=minutes+excluded.minutes";
// ISO dates ("2026-03-01"): parsed without the general format parser, which is slow
// enough to dominate reading years of rows.
QString dayText(const QDate& day) { return day.toString(Qt::ISODate); }
} // namespace

void ensureTable(QSqlDatabase& db)
{
    QSqlQuery query(db);
    query.exec(QLatin1String(kCreate));
}

bool add(QSqlDatabase& db, const QVector<DayEntry>& entries)
{
    return runInOneTransaction(db, QLatin1String(kAdd), entries,
                               [](QSqlQuery& query, const DayEntry& e) {
                                   query.addBindValue(dayText(e.day));
                                   query.addBindValue(e.book);
                                   query.addBindValue(e.added);
                                   query.addBindValue(e.removed);
                                   query.addBindValue(e.minutes);
                               });
}

bool renameBook(QSqlDatabase& db, const QString& from, const QString& to)
{
    if (!db.transaction())
        return false;
    QSqlQuery move(db);
    move.prepare(QLatin1String(kMove));
    move.addBindValue(to);
    move.addBindValue(from);
    QSqlQuery drop(db);
    drop.prepare(QStringLiteral("delete from writing_log where book=?"));
    drop.addBindValue(from);
    if (!move.exec() || !drop.exec()) {
        db.rollback();
        return false;
    }
    return db.commit();
}

namespace {

QVector<DayEntry> read(const QSqlDatabase& db, const QString& all, const QString& one,
                       const QString& book)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (book.isEmpty()) {
        query.exec(all);
    } else {
        query.prepare(one);
        query.addBindValue(book);
        query.exec();
    }
    QVector<DayEntry> out;
    while (query.next()) {
        DayEntry e;
        e.day = QDate::fromString(query.value(0).toString(), Qt::ISODate);
        e.book = query.value(1).toString();
        e.added = query.value(2).toInt();
        e.removed = query.value(3).toInt();
        e.minutes = query.value(4).toInt();
        out.append(e);
    }
    return out;
}

} // namespace

QVector<DayEntry> rows(const QSqlDatabase& db, const QString& book)
{
    return read(db,
                QStringLiteral("select day,book,added,removed,minutes from writing_log "
                               "order by day,book"),
                QStringLiteral("select day,book,added,removed,minutes from writing_log "
                               "where book=? order by day"),
                book);
}

QVector<DayEntry> days(const QSqlDatabase& db, const QString& book)
{
    // Summed by SQLite: years of rows for many books become one row a day.
    return read(db,
                QStringLiteral("select day,'',sum(added),sum(removed),sum(minutes) "
                               "from writing_log group by day order by day"),
                QStringLiteral("select day,'',added,removed,minutes from writing_log "
                               "where book=? order by day"),
                book);
}

int dayNet(const QSqlDatabase& db, const QDate& day)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("select sum(added-removed) from writing_log where day=?"));
    query.addBindValue(dayText(day));
    return query.exec() && query.first() ? query.value(0).toInt() : 0;
}

QStringList books(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    query.exec(QStringLiteral("select distinct book from writing_log order by book"));
    QStringList out;
    while (query.next())
        out.append(query.value(0).toString());
    return out;
}

QByteArray toCsv(const QVector<DayEntry>& rows)
{
    // Book names are the author's own and may hold commas or quotes.
    const auto field = [](QString s) {
        if (s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('"')) ||
            s.contains(QLatin1Char('\n')))
            s = QLatin1Char('"') + s.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                QLatin1Char('"');
        return s;
    };
    QString text = QStringLiteral("日期,书名,新增,删除,净增,时长(分钟)\r\n");
    for (const DayEntry& e : rows) {
        text += dayText(e.day) + QLatin1Char(',') + field(e.book) +
                QStringLiteral(",%1,%2,%3,%4\r\n")
                    .arg(e.added)
                    .arg(e.removed)
                    .arg(e.net())
                    .arg(e.minutes);
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace WritingStore
