#include "support/testsupport.h"

#include "library/catalognames.h"
#include "library/catalogstore.h"
#include "library/sqliteoper.h"

#include <QSqlQuery>
#include <QtTest>

#include <limits>

class TstCatalogRules : public QObject
{
    Q_OBJECT
private slots:
    void sortNumbers();
    void defaultNamesAndRetitling();
    void safeNames_data();
    void safeNames();
    void renameEntryStaysInPlace();
    void readsDepthFirstInSortOrder();
    void quotesAreStoredAsTheyAre();
    void renamePlan_data();
    void renamePlan();
    void swapSortsExchangesBothOrNeither();
};

static void insert(int id, const QString& name, int type, int pid, double sort, int del = 0)
{
    QVERIFY(CatalogStore::insertItem(id, name, "url", type, pid, sort));
    if (del)
        QVERIFY(QSqlQuery().exec(QString("update books set del = 1 where id = %1").arg(id)));
}

void TstCatalogRules::sortNumbers()
{
    // A new item goes after the last; a failed query (NaN or -1) starts the numbering.
    QCOMPARE(CatalogNames::nextSort(2.5f), 3);
    QCOMPARE(CatalogNames::nextSort(std::numeric_limits<float>::quiet_NaN()), 1);
    QCOMPARE(CatalogNames::nextSort(-1.0f), 1);
    // An inserted chapter sits between its neighbours, or halfway to 0 before the first.
    QCOMPARE(CatalogNames::insertSort({2, 3}), 2.5f);
    QCOMPARE(CatalogNames::insertSort({1}), 0.5f);
    QCOMPARE(CatalogNames::insertSort({}), 0.0f);
}

void TstCatalogRules::defaultNamesAndRetitling()
{
    TestAppDir app;
    const QString dir = app.path() + "/";
    writeBytes(dir + "默认章节[3].txt", "an author's chapter");
    QDir().mkdir(dir + "默认书名[2]");
    const auto chapter = &CatalogNames::chapterName;
    QCOMPARE(CatalogNames::freeNumber(3, chapter, dir, ".txt", {}), 4);
    // A sibling in the tree counts even when its file is gone.
    QCOMPARE(CatalogNames::freeNumber(3, chapter, dir, ".txt", {"默认章节[4]"}), 5);
    QCOMPARE(CatalogNames::freeNumber(2, &CatalogNames::bookName, dir, "", {}), 3);
    // A renamed chapter gets its new name as its first line.
    QCOMPARE(CatalogNames::retitled("默认章节[2]\n\n", "序章"), QString("序章\n\n\n"));
    QCOMPARE(CatalogNames::retitled("只有一行", "序章"), QString("序章\n\n"));
}

void TstCatalogRules::safeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("quote") << "林'夕" << true;
    QTest::newRow("dots inside") << "上.txt篇" << true;
    QTest::newRow("trailing full-width blank") << "序章\u3000" << false;
    QTest::newRow("line feed") << "序\n章" << false;
}

void TstCatalogRules::safeNames()
{
    QFETCH(QString, name);
    QTEST(CatalogNames::isSafeName(name), "safe");
}

void TstCatalogRules::renameEntryStaysInPlace()
{
    TestAppDir app;
    const QString dir = app.path() + "/卷/";
    writeBytes(dir + "甲.txt", "甲的正文");
    writeBytes(dir + "乙.txt", "乙的正文");
    QVERIFY(CatalogNames::renameEntry(dir + "甲.txt", dir + "林'夕.txt"));
    QCOMPARE(readBytes(dir + "林'夕.txt"), QByteArray("甲的正文"));
    QVERIFY(!QFileInfo::exists(dir + "甲.txt"));

    // A clash, an escape from the directory and an empty path change nothing; an existing
    // empty directory is not merged into.
    QDir().mkdir(dir + "空");
    for (const QString& to : {dir + "乙.txt", dir + "../逃.txt", QString(), dir + "空"})
        QVERIFY(!CatalogNames::renameEntry(dir + "林'夕.txt", to));
    QCOMPARE(readBytes(dir + "林'夕.txt"), QByteArray("甲的正文"));
    QCOMPARE(readBytes(dir + "乙.txt"), QByteArray("乙的正文"));
    QVERIFY(!QFileInfo::exists(app.path() + "/逃.txt"));

    // Directories move with everything inside.
    QVERIFY(CatalogNames::renameEntry(app.path() + "/卷", app.path() + "/新卷"));
    QCOMPARE(readBytes(app.path() + "/新卷/乙.txt"), QByteArray("乙的正文"));
}

void TstCatalogRules::readsDepthFirstInSortOrder()
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
    QStringList lines;
    for (const CatalogStore::Node& book : CatalogStore::readCatalog()) {
        lines << book.name;
        for (const CatalogStore::Node& volume : book.children) {
            lines << " " + volume.name;
            for (const CatalogStore::Node& chapter : volume.children)
                lines << "  " + chapter.name + "#" + QString::number(chapter.id);
        }
    }
    QCOMPARE(lines, QStringList({"甲书", "乙书", " 乙卷一", "  章一#6", "  章插#7", "  章三#5",
                                 " 乙卷二"}));
}

void TstCatalogRules::quotesAreStoredAsTheyAre()
{
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    QVERIFY(CatalogStore::insertItem(1, "林'夕", "/x/林'夕", 1, 0, 1));
    QVERIFY(CatalogStore::renameItem(1, "O'Brien\"; drop table books; --", "/x/O'Brien"));
    QVERIFY(!CatalogStore::renameItem(2, "无此行", "/x"));
    QSqlQuery q("select name , url from books where id = 1");
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QString("O'Brien\"; drop table books; --"));
    QCOMPARE(q.value(1).toString(), QString("/x/O'Brien"));
}

void TstCatalogRules::renamePlan_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("oldPath");
    QTest::addColumn<QString>("newPath");
    QTest::addColumn<QString>("newUrl");
    const QString L = "/L/林'夕/上.txt篇/";
    QTest::newRow("chapter") << 3 << true << L + "一.txt" << L + "新.txt" << L + "新";
    QTest::newRow("chapter whose volume row is gone") << 4 << true << "" << "" << "";
    QTest::newRow("no such row") << 77 << false << "" << "" << "";
}

void TstCatalogRules::renamePlan()
{
    QFETCH(int, id);
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    insert(1, "林'夕", 1, 0, 1);
    insert(2, "上.txt篇", 2, 1, 1);
    insert(3, "一", 3, 2, 1);
    insert(4, "孤", 3, 50, 1);
    const CatalogStore::RenamePlan plan = CatalogStore::planRename(id, "新", "/L/");
    QTEST(plan.found, "found");
    QTEST(plan.oldPath, "oldPath");
    QTEST(plan.newPath, "newPath");
    QTEST(plan.newUrl, "newUrl");
}

void TstCatalogRules::swapSortsExchangesBothOrNeither()
{
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    insert(3, "甲", 3, 2, 1);
    insert(4, "乙", 3, 2, 2.5);
    QVERIFY(CatalogStore::swapSorts(3, 4));
    QCOMPARE(CatalogStore::sortsOf(3, 4), QVector<float>({2.5f, 1}));
    QVERIFY(!CatalogStore::swapSorts(99, 3));
    // The second row refuses: the first keeps its value too.
    QVERIFY(QSqlQuery().exec("create trigger refuse before update on books when new.id = 4 "
                             "begin select raise(abort, 'no'); end"));
    QVERIFY(!CatalogStore::swapSorts(3, 4));
    QCOMPARE(CatalogStore::sortsOf(3, 4), QVector<float>({2.5f, 1}));
}

QTEST_GUILESS_MAIN(TstCatalogRules)
#include "tst_catalogrules.moc"
