#include "support/testsupport.h"

#include "library/catalognames.h"
#include "library/catalogstore.h"
#include "library/sqliteoper.h"

#include <QSqlQuery>
#include <QtTest>

class TstCatalogRules : public QObject
{
    Q_OBJECT
private slots:
    void safeNames_data();
    void safeNames();
    void renameEntryStaysInPlace();
    void retitledReplacesOnlyATitleLine_data();
    void retitledReplacesOnlyATitleLine();
    void quotesAreStoredAsTheyAre();
    void swapSortsExchangesBothOrNeither();
};

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

void TstCatalogRules::retitledReplacesOnlyATitleLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // after renaming 甲 to 序章
    QTest::newRow("title line") << "甲\n\n正文"
                                << "序章\n\n\n正文";
    QTest::newRow("typeset title keeps its indent") << "\u3000\u3000甲 \n正文"
                                                    << "\u3000\u3000序章\n\n正文";
    QTest::newRow("empty first line") << "\n正文"
                                      << "序章\n\n正文";
    QTest::newRow("empty text") << ""
                                << "序章\n\n";
    QTest::newRow("body first: kept") << "\u3000\u3000甲说：走。\n正文"
                                      << "\u3000\u3000甲说：走。\n正文";
    QTest::newRow("one line of body: kept") << "乙"
                                            << "乙";
}

void TstCatalogRules::retitledReplacesOnlyATitleLine()
{
    QFETCH(QString, text);
    QTEST(CatalogNames::retitled(text, "甲", "序章"), "expected");
}

void TstCatalogRules::renameEntryStaysInPlace()
{
    TestAppDir app;
    const QString dir = app.path() + "/卷/";
    writeBytes(dir + "甲.txt", "甲的正文");
    writeBytes(dir + "乙.txt", "乙的正文");
    // A clash, an escape from the directory and an empty path change nothing; an existing
    // empty directory is not merged into.
    QDir().mkdir(dir + "空");
    for (const QString& to : {dir + "乙.txt", dir + "../逃.txt", QString(), dir + "空"})
        QVERIFY(!CatalogNames::renameEntry(dir + "甲.txt", to));
    QCOMPARE(readBytes(dir + "甲.txt"), QByteArray("甲的正文"));
    QCOMPARE(readBytes(dir + "乙.txt"), QByteArray("乙的正文"));
    QVERIFY(!QFileInfo::exists(app.path() + "/逃.txt"));

    // Directories move with everything inside.
    QVERIFY(CatalogNames::renameEntry(app.path() + "/卷", app.path() + "/林'夕"));
    QCOMPARE(readBytes(app.path() + "/林'夕/乙.txt"), QByteArray("乙的正文"));
    QVERIFY(!QFileInfo::exists(app.path() + "/卷"));
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

void TstCatalogRules::swapSortsExchangesBothOrNeither()
{
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    QVERIFY(CatalogStore::insertItem(3, "甲", "url", 3, 2, 1));
    QVERIFY(CatalogStore::insertItem(4, "乙", "url", 3, 2, 2.5));
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
