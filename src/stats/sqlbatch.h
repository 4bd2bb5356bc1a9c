#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// One prepared statement run for every row in one transaction: all of them are written, or
// (the database refusing any) none.
template <class Rows, class Bind>
bool runInOneTransaction(QSqlDatabase& db, const QString& statement, const Rows& rows, Bind bind)
{
    if (rows.isEmpty())
        return true;
    if (!db.transaction())
        return false;
    QSqlQuery query(db);
    query.prepare(statement);
    for (const auto& row : rows) {
        bind(query, row);
        if (!query.exec()) {
            db.rollback();
            return false;
        }
    }
    return db.commit();
}
