#pragma once

#include "stats/writinglog.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QVector>

// The writing log's table in sys.db, beside the book index and never touching it.
namespace WritingStore {

void ensureTable(QSqlDatabase& db);

// Adds the entries to their days in one transaction; false (and nothing written) when the
// database refuses.
bool add(QSqlDatabase& db, const QVector<DayEntry>& entries);

// Moves `from`'s days to `to` (a renamed book keeps its history), adding them to days `to`
// already has; false (and nothing changed) when the database refuses.
bool renameBook(QSqlDatabase& db, const QString& from, const QString& to);

// Every stored day, oldest first; only `book`'s when it is not empty.
QVector<DayEntry> rows(const QSqlDatabase& db, const QString& book = QString());

// One entry per day with writing, oldest first, summed over all books or `book`'s only;
// the book names are left empty.
QVector<DayEntry> days(const QSqlDatabase& db, const QString& book = QString());

// Net characters of `day` over all books.
int dayNet(const QSqlDatabase& db, const QDate& day);

// The books that have a log, by name.
QStringList books(const QSqlDatabase& db);

// The log as a spreadsheet file: UTF-8 with a byte-order mark, so that spreadsheet programs
// on Chinese Windows do not read it as the local code page.
QByteArray toCsv(const QVector<DayEntry>& rows);

} // namespace WritingStore
