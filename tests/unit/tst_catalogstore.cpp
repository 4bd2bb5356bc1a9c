#include "support/testsupport.h"

#include "library/catalogstore.h"
#include "library/sqliteoper.h"

#include <QSqlQuery>
#include <QtTest>

class TstCatalogStore : public QObject
{
    Q_OBJECT
private slots:
    void readsDepthFirstInSortOrder();
    void quotesAreStoredAsTheyAre();
    void renamePlanFollowsTheKind_data();
    void renamePlanFollowsTheKind();
    void swapSortsExchangesBothOrNeither();
};

namespace {

void insert(int id, const QString& name, int type, int pid, double sort, int del = 0)
{
    QVERIFY(CatalogStore::insertItem(id, name, "url", type, pid, sort));
    if (del) {
        QSqlQuery q(QSqlDatabase::database());
        q.exec(QString("update books set del = 1 where id = %1").arg(id));
    }
}

QStringList flatten(const QVector<CatalogStore::Node>& nodes, const QString& indent = QString())
{
    QStringList lines;
    for (const CatalogStore::Node& n : nodes)
        lines << indent + n.name + "#" + QString::number(n.id) << flatten(n.children, indent + " ");
    return lines;
}

} // namespace

void TstCatalogStore::readsDepthFirstInSortOrder()
{
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    insert(1, "乙书", 1, 0, 2);
    insert(2, "甲书", 1, 0, 1);
    insert(3, "乙卷二", 2, 1, 2);
    insert(4, "乙卷一", 2, 1, 1);
    insert(5, "章三", 3, 4, 3);
    insert(6, "章一", 3, 4, 1);
    insert(7, "章插", 3, 4, 1.5);
    insert(8, "删章", 3, 4, 0.5, 1);
    insert(9, "删卷", 2, 1, 0.5, 1);
    insert(10, "删卷之章", 3, 9, 1);
    insert(11, "无主之章", 3, 99, 1);
    insert(12, "甲卷", 2, 2, 1);
    insert(13, "卷下之书", 1, 12, 5);
    const QStringList expected{"甲书#2",  " 甲卷#12",  "乙书#1",   " 乙卷一#4",
                               "  章一#6", "  章插#7", "  章三#5", " 乙卷二#3", "卷下之书#13"};
    QCOMPARE(flatten(CatalogStore::readCatalog()), expected);
}

void TstCatalogStore::quotesAreStoredAsTheyAre()
{
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    QVERIFY(CatalogStore::insertItem(1, "林'夕", "/x/林'夕", 1, 0, 1));
    QVERIFY(CatalogStore::renameItem(1, "O'Brien\"; drop table books; --", "/x/O'Brien"));
    QVERIFY(!CatalogStore::renameItem(2, "无此行", "/x"));
    QSqlQuery q("select name , url , sort from books where id = 1", QSqlDatabase::database());
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QString("O'Brien\"; drop table books; --"));
    QCOMPARE(q.value(1).toString(), QString("/x/O'Brien"));
}

void TstCatalogStore::renamePlanFollowsTheKind_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("oldPath");
    QTest::addColumn<QString>("newPath");
    QTest::addColumn<QString>("newUrl");
    const QString L = "/L/";
    QTest::newRow("book") << 1 << true << 1 << L + "林'夕" << L + "新" << L + "新";
    QTest::newRow("volume named like a file stays a directory")
        << 2 << true << 2 << L + "林'夕/上.txt篇" << L + "林'夕/新" << L + "林'夕/新";
    QTest::newRow("chapter") << 3 << true << 3 << L + "林'夕/上.txt篇/一.txt"
                             << L + "林'夕/上.txt篇/新.txt" << L + "林'夕/上.txt篇/新";
    QTest::newRow("chapter whose volume row is gone") << 4 << true << 3 << "" << "" << "";
    QTest::newRow("no such row") << 77 << false << 0 << "" << "" << "";
}

void TstCatalogStore::renamePlanFollowsTheKind()
{
    QFETCH(int, id);
    QFETCH(bool, found);
    QFETCH(int, type);
    QFETCH(QString, oldPath);
    QFETCH(QString, newPath);
    QFETCH(QString, newUrl);
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    insert(1, "林'夕", 1, 0, 1);
    insert(2, "上.txt篇", 2, 1, 1);
    insert(3, "一", 3, 2, 1);
    insert(4, "孤", 3, 50, 1);
    const CatalogStore::RenamePlan plan = CatalogStore::planRename(id, "新", "/L/");
    QCOMPARE(plan.found, found);
    QCOMPARE(plan.type, type);
    QCOMPARE(plan.oldPath, oldPath);
    QCOMPARE(plan.newPath, newPath);
    QCOMPARE(plan.newUrl, newUrl);
}

void TstCatalogStore::swapSortsExchangesBothOrNeither()
{
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    insert(3, "甲", 3, 2, 1);
    insert(4, "乙", 3, 2, 2.5);
    QCOMPARE(CatalogStore::sortsOf(3, 4), QVector<float>({1, 2.5f}));
    QCOMPARE(CatalogStore::sortsOf(3, 3), QVector<float>({1}));
    QVERIFY(CatalogStore::swapSorts(3, 4));
    QCOMPARE(CatalogStore::sortsOf(3, 4), QVector<float>({2.5f, 1}));
    QVERIFY(!CatalogStore::swapSorts(99, 3));
    // The second row refuses: the first keeps its value too.
    QSqlQuery(QSqlDatabase::database())
        .exec("create trigger refuse before update on books when new.id = 4 "
              "begin select raise(abort, 'no'); end");
    QVERIFY(!CatalogStore::swapSorts(3, 4));
    QCOMPARE(CatalogStore::sortsOf(3, 4), QVector<float>({2.5f, 1}));
}

QTEST_GUILESS_MAIN(TstCatalogStore)
#include "tst_catalogstore.moc"
