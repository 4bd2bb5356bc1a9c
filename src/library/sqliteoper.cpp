#include "library/sqliteoper.h"

#include "app/appdirs.h"
#include "app/logcategories.h"
#include "library/catalogstatement.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <limits>

namespace {

const char kTableExists[] = "select name from sqlite_master where type='table' and name='books'";
const char kCreateTable[] = "create table books(id integer primary key autoincrement,name text,"
                            "url text,type integer,pid integer,sort float,del integer)";
// Catalog loading asks for the children of one parent at a time.
const char kCreatePidIndex[] = "create index if not exists books_pid on books(pid)";
const char kMaxId[] = "select max(id) from books";
const char kMaxSort[] = "select max(sort) from books where pid = %1";
const char kChildCount[] = "select count(sort) from books where pid = %1";
const char kLiveCount[] = "select count(del) from books where del = 0";

// Runs a single-value statement; `ok` is false when the database or the statement failed.
QVariant singleValue(const QString& statement, bool* ok)
{
    *ok = false;
    QSqlDatabase db;
    if (!SqliteOper::openDatabase(db))
        return QVariant();
    QSqlQuery query(db);
    if (!CatalogStatement::exec(query, statement) || !query.first())
        return QVariant();
    *ok = true;
    return query.value(0);
}

} // namespace

bool SqliteOper::openDatabase(QSqlDatabase& db)
{
    const QString name = AppDirs::databasePath();
    if (QSqlDatabase::contains()) {
        db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
        if (db.databaseName() != name) {
            db.close();
            db.setDatabaseName(name);
        }
        if (db.isOpen())
            return true;
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(name);
    }
    if (db.open())
        return true;
    qCWarning(lcLibrary).noquote() << "cannot open" << name << "—" << db.lastError().text();
    return false;
}

void SqliteOper::closeDatabase()
{
    if (!QSqlDatabase::contains())
        return;
    {
        QSqlDatabase db =
            QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
}

bool SqliteOper::ensureBooksTable()
{
    QSqlDatabase db;
    if (!openDatabase(db))
        return false;
    // Table and index land in one transaction: at a first start each would otherwise wait
    // for the disk on its own.
    const bool batched = db.transaction();
    bool ok = true;
    {
        QSqlQuery query(db);
        if (!CatalogStatement::exec(query, QLatin1String(kTableExists))) {
            ok = false;
        } else {
            const bool found = query.first() && query.value(0).toString() == QLatin1String("books");
            if (!found && !CatalogStatement::exec(query, QLatin1String(kCreateTable)))
                ok = false;
            // Only a speed-up: a read-only library without it still works (the failure is
            // logged with its cause).
            if (ok)
                CatalogStatement::exec(query, QLatin1String(kCreatePidIndex));
        }
    }
    if (batched) {
        if (!ok) {
            db.rollback();
        } else if (!db.commit()) {
            qCWarning(lcLibrary).noquote() << "books table not created:" << db.lastError().text();
            ok = false;
        }
    }
    return ok;
}

int SqliteOper::maxId()
{
    bool ok;
    const QVariant v = singleValue(QLatin1String(kMaxId), &ok);
    return ok ? v.toInt() : -1;
}

float SqliteOper::maxSort(int pid)
{
    QSqlDatabase db;
    if (!openDatabase(db))
        return -1.0f;
    bool ok;
    const QVariant v = singleValue(QString::fromLatin1(kMaxSort).arg(pid), &ok);
    return ok ? v.toFloat() : std::numeric_limits<float>::quiet_NaN();
}

int SqliteOper::childCount(int pid)
{
    bool ok;
    const QVariant v = singleValue(QString::fromLatin1(kChildCount).arg(pid), &ok);
    return ok ? v.toInt() : -1;
}

int SqliteOper::liveCount()
{
    bool ok;
    const QVariant v = singleValue(QLatin1String(kLiveCount), &ok);
    return ok ? v.toInt() : -1;
}
