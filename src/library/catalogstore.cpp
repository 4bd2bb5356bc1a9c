#include "library/catalogstore.h"

#include "library/sqliteoper.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

const char kBooks[] = "select name , id , sort from books where type = 1 and del = 0 order by sort asc";
const char kVolumes[] =
    "select name , id , sort from books where type = 2 and pid = ? and del = 0 order by sort asc";
const char kChapters[] =
    "select name , id , sort from books where type = 3 and pid = ? and del = 0 order by sort asc";
const char kInsert[] = "insert into books values(?,?,?,?,?,?,?)";
const char kRename[] = "update books set name = ? , url = ? where id = ?";
const char kItem[] = "select name , type , pid from books where id = ?";
const char kParent[] = "select name , pid from books where id = ?";
const char kGrandparent[] = "select name from books where id = ?";

QVector<CatalogStore::Node> rows(QSqlQuery& query)
{
    QVector<CatalogStore::Node> nodes;
    if (!query.exec())
        return nodes;
    while (query.next())
        nodes.append({query.value(1).toInt(), query.value(0).toString(), {}});
    return nodes;
}

QSqlQuery prepared(const char* statement)
{
    QSqlDatabase db;
    SqliteOper::openDatabase(db);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QLatin1String(statement));
    return query;
}

// One row by id: its first `columns` values, or an empty list when there is none.
QVariantList rowById(const char* statement, int id, int columns)
{
    QSqlQuery query = prepared(statement);
    query.addBindValue(id);
    QVariantList values;
    if (query.exec() && query.next()) {
        for (int i = 0; i < columns; ++i)
            values.append(query.value(i));
    }
    return values;
}

} // namespace

namespace CatalogStore {

QVector<Node> readCatalog()
{
    QSqlQuery books = prepared(kBooks);
    QSqlQuery volumes = prepared(kVolumes);
    QSqlQuery chapters = prepared(kChapters);
    QVector<Node> library = rows(books);
    for (Node& book : library) {
        volumes.bindValue(0, book.id);
        book.children = rows(volumes);
        for (Node& volume : book.children) {
            chapters.bindValue(0, volume.id);
            volume.children = rows(chapters);
        }
    }
    return library;
}

bool insertItem(int id, const QString& name, const QString& url, int type, int pid, double sort)
{
    QSqlQuery query = prepared(kInsert);
    query.addBindValue(id);
    query.addBindValue(name);
    query.addBindValue(url);
    query.addBindValue(type);
    query.addBindValue(pid);
    // Sort values are kept at the six significant digits they are written with everywhere.
    query.addBindValue(QString::number(sort, 'g', 6).toDouble());
    query.addBindValue(0);
    return query.exec();
}

bool renameItem(int id, const QString& name, const QString& url)
{
    QSqlQuery query = prepared(kRename);
    query.addBindValue(name);
    query.addBindValue(url);
    query.addBindValue(id);
    return query.exec() && query.numRowsAffected() == 1;
}

RenamePlan planRename(int id, const QString& newName, const QString& prefix)
{
    RenamePlan plan;
    const QVariantList item = rowById(kItem, id, 3);
    if (item.isEmpty())
        return plan;
    plan.found = true;
    plan.oldName = item[0].toString();
    plan.type = item[1].toInt();
    QString dir;
    if (plan.type == 1) {
        dir = prefix;
    } else if (plan.type == 2 || plan.type == 3) {
        const QVariantList parent = rowById(kParent, item[2].toInt(), 2);
        if (parent.isEmpty())
            return plan;
        dir = parent[0].toString() + QLatin1Char('/');
        if (plan.type == 3) {
            const QVariantList book = rowById(kGrandparent, parent[1].toInt(), 1);
            if (book.isEmpty())
                return plan;
            dir = book[0].toString() + QLatin1Char('/') + dir;
        }
        dir = prefix + dir;
    } else {
        return plan;
    }
    // The kind decides what is a chapter file, not what the name happens to contain.
    const QString suffix = plan.type == 3 ? QStringLiteral(".txt") : QString();
    plan.oldPath = dir + plan.oldName + suffix;
    plan.newPath = dir + newName + suffix;
    plan.newUrl = dir + newName;
    return plan;
}

} // namespace CatalogStore
