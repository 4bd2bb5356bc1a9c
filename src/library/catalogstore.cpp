#include "library/catalogstore.h"

#include "app/logcategories.h"
#include "library/catalogstatement.h"
#include "library/sqliteoper.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <utility>

namespace {

const char kBooks[] =
    "select name , id , sort from books where type = 1 and del = 0 order by sort asc";
const char kVolumes[] =
    "select name , id , sort from books where type = 2 and pid = ? and del = 0 order by sort asc";
const char kChapters[] =
    "select name , id , sort from books where type = 3 and pid = ? and del = 0 order by sort asc";
const char kInsert[] = "insert into books values(?,?,?,?,?,?,?)";
const char kRename[] = "update books set name = ? , url = ? where id = ?";
const char kItem[] = "select name , type , pid from books where id = ?";
const char kParent[] = "select name , pid from books where id = ?";
const char kGrandparent[] = "select name from books where id = ?";
const char kSiblingNamed[] = "select count(*) from books where type = ? and pid = ? and "
                             "name = ? and id <> ? and del = 0";
const char kTwoSorts[] = "select sort from books where id = ? or id = ?";
const char kSort[] = "select sort from books where id = ?";
const char kSetSort[] = "update books set sort = ? where id = ?";
const char kMarkDeleted[] = "update books set del = 1 where id = ?";
const char kVolumesOf[] = "select id from books where pid = ?";
const char kMarkChildrenDeleted[] = "update books set del = 1 where pid = ?";
const char kImportBook[] =
    "insert into books (id, name, url, type, pid, sort, del) values (?,?,?,1,0,?,0)";
const char kImportVolume[] =
    "insert into books (name, url, type, pid, sort, del) values(?,?,2,?,?,0)";
const char kImportChapter[] =
    "insert into books (id, name, url, type, pid, sort, del) values(?,?,?,3,?,?,0)";

// Sort values are kept at the six significant digits they are written with everywhere.
double storedSort(double sort) { return QString::number(sort, 'g', 6).toDouble(); }

// Statements run between its construction and commit() land together or not at all.
class Transaction
{
public:
    Transaction()
    {
        SqliteOper::openDatabase(m_db);
        m_open = m_db.transaction();
        if (!m_open)
            qCWarning(lcLibrary).noquote() << "cannot begin:" << m_db.lastError().text();
    }
    ~Transaction()
    {
        if (m_open)
            m_db.rollback();
    }
    bool isOpen() const { return m_open; }
    bool commit()
    {
        if (!m_open)
            return false;
        if (!m_db.commit()) {
            qCWarning(lcLibrary).noquote() << "cannot commit:" << m_db.lastError().text();
            return false;
        }
        m_open = false;
        return true;
    }

private:
    QSqlDatabase m_db;
    bool m_open = false;
};

QVector<CatalogStore::Node> rows(QSqlQuery& query)
{
    QVector<CatalogStore::Node> nodes;
    if (!CatalogStatement::exec(query))
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
    CatalogStatement::prepare(query, QLatin1String(statement));
    return query;
}

// One row by id: its first `columns` values, or an empty list when there is none.
QVariantList rowById(const char* statement, int id, int columns)
{
    QSqlQuery query = prepared(statement);
    query.addBindValue(id);
    QVariantList values;
    if (CatalogStatement::exec(query) && query.next()) {
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
    query.addBindValue(storedSort(sort));
    query.addBindValue(0);
    return CatalogStatement::exec(query);
}

bool renameItem(int id, const QString& name, const QString& url)
{
    QSqlQuery query = prepared(kRename);
    query.addBindValue(name);
    query.addBindValue(url);
    query.addBindValue(id);
    return CatalogStatement::exec(query) && query.numRowsAffected() == 1;
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
    QSqlQuery sibling = prepared(kSiblingNamed);
    sibling.addBindValue(plan.type);
    sibling.addBindValue(item[2]);
    sibling.addBindValue(newName);
    sibling.addBindValue(id);
    // A failed check counts as taken: two rows on one file is the loss this guards against.
    plan.nameTaken = !sibling.exec() || !sibling.next() || sibling.value(0).toInt() > 0;
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

QVector<float> sortsOf(int a, int b)
{
    QSqlQuery query = prepared(kTwoSorts);
    query.addBindValue(a);
    query.addBindValue(b);
    QVector<float> sorts;
    if (CatalogStatement::exec(query)) {
        while (query.next())
            sorts.append(query.value(0).toFloat());
    }
    return sorts;
}

bool swapSorts(int a, int b)
{
    const QVariantList first = rowById(kSort, a, 1);
    if (first.isEmpty())
        return false;
    const float sortA = first[0].toFloat();
    const QVariantList second = rowById(kSort, b, 1);
    const float sortB = second.isEmpty() ? sortA - 0.000001f : second[0].toFloat();

    Transaction transaction;
    QSqlQuery query = prepared(kSetSort);
    for (const auto& [sort, id] : {std::make_pair(sortB, a), std::make_pair(sortA, b)}) {
        query.bindValue(0, storedSort(sort));
        query.bindValue(1, id);
        if (!CatalogStatement::exec(query))
            return false;
    }
    return transaction.commit();
}

bool markDeleted(int id)
{
    QSqlQuery query = prepared(kMarkDeleted);
    query.addBindValue(id);
    return CatalogStatement::exec(query) && query.numRowsAffected() > 0;
}

bool markBookDeleted(int bookId, const std::function<void(int)>& progress)
{
    Transaction transaction;
    if (!transaction.isOpen())
        return false;
    QSqlQuery volumes = prepared(kVolumesOf);
    volumes.addBindValue(bookId);
    if (!CatalogStatement::exec(volumes))
        return false;
    QVector<int> ids;
    while (volumes.next())
        ids.append(volumes.value(0).toInt());
    QSqlQuery children = prepared(kMarkChildrenDeleted);
    QSqlQuery row = prepared(kMarkDeleted);
    int marked = 0;
    for (const int volume : ids) {
        children.bindValue(0, volume);
        if (!CatalogStatement::exec(children))
            return false;
        // SQLite counts changes per connection: read them before the next statement runs.
        marked += children.numRowsAffected();
        row.bindValue(0, volume);
        if (!CatalogStatement::exec(row))
            return false;
        progress(marked);
    }
    row.bindValue(0, bookId);
    if (!CatalogStatement::exec(row) || row.numRowsAffected() != 1)
        return false;
    return transaction.commit();
}

bool insertImportedBook(int bookId, const QString& name, const QString& bookDir, double sort,
                        const QVector<BookImport::Volume>& volumes,
                        const std::function<void(int)>& progress)
{
    Transaction transaction;
    if (!transaction.isOpen())
        return false;
    QSqlQuery book = prepared(kImportBook);
    book.addBindValue(bookId);
    book.addBindValue(name);
    book.addBindValue(bookDir);
    book.addBindValue(storedSort(sort));
    if (!CatalogStatement::exec(book))
        return false;

    QSqlQuery volumeRow = prepared(kImportVolume);
    QSqlQuery chapterRow = prepared(kImportChapter);
    int indexed = 0;
    for (int v = 0; v < volumes.size(); ++v) {
        const QString volumeDir = bookDir + QLatin1Char('/') + volumes[v].name;
        volumeRow.bindValue(0, volumes[v].name);
        volumeRow.bindValue(1, volumeDir);
        volumeRow.bindValue(2, bookId);
        volumeRow.bindValue(3, v + 1);
        if (!CatalogStatement::exec(volumeRow))
            return false;
        const int volumeId = volumeRow.lastInsertId().toInt();
        const QStringList& chapters = volumes[v].chapters;
        for (int c = 0; c < chapters.size(); ++c) {
            chapterRow.bindValue(0, volumeId + c + 1);
            chapterRow.bindValue(1, chapters[c]);
            chapterRow.bindValue(2, volumeDir + QLatin1Char('/') + chapters[c]);
            chapterRow.bindValue(3, volumeId);
            chapterRow.bindValue(4, c + 1);
            if (!CatalogStatement::exec(chapterRow))
                return false;
            progress(++indexed);
        }
    }
    return transaction.commit();
}

} // namespace CatalogStore
