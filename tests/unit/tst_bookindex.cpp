#include "support/testsupport.h"

#include "library/sqliteoper.h"

#include <QSqlQuery>
#include <QtTest>

#include <cmath>

class TstBookIndex : public QObject
{
    Q_OBJECT
private slots:
    void emptyTable();
    void countsIncludeDeletedRows();
    void liveCountOfAllDeleted();
    void databaseLivesInTheApplicationDirectory();
    void failureValuesWhenTheDatabaseCannotOpen();
    void tableAndIndexAreCreatedOnce();
};

static void insertRow(int id, const QString& name, int type, int pid, double sort, int del)
{
    QSqlDatabase db;
    QVERIFY(SqliteOper::openDatabase(db));
    QSqlQuery q(db);
    q.prepare("insert into books values(?,?,?,?,?,?,?)");
    q.addBindValue(id);
    q.addBindValue(name);
    q.addBindValue(QString("/x/") + name);
    q.addBindValue(type);
    q.addBindValue(pid);
    q.addBindValue(sort);
    q.addBindValue(del);
    QVERIFY(q.exec());
}

void TstBookIndex::emptyTable()
{
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    QCOMPARE(SqliteOper::maxId(), 0);
    QCOMPARE(SqliteOper::maxSort(0), 0.0f);
    QCOMPARE(SqliteOper::childCount(0), 0);
    QCOMPARE(SqliteOper::liveCount(), 0);
}

void TstBookIndex::countsIncludeDeletedRows()
{
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    insertRow(1, "书", 1, 0, 1, 0);
    insertRow(2, "卷", 2, 1, 1, 0);
    insertRow(3, "林'夕", 3, 2, 1, 1);
    insertRow(4, "章二", 3, 2, 1.5, 1);
    QCOMPARE(SqliteOper::maxId(), 4);
    QCOMPARE(SqliteOper::maxSort(2), 1.5f);
    QCOMPARE(SqliteOper::childCount(2), 2);
    QCOMPARE(SqliteOper::liveCount(), 2);

    QSqlDatabase db;
    QVERIFY(SqliteOper::openDatabase(db));
    QSqlQuery q(db);
    QVERIFY(q.exec("select name from books where id = 3") && q.first());
    QCOMPARE(q.value(0).toString(), QString("林'夕"));
}

void TstBookIndex::liveCountOfAllDeleted()
{
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    insertRow(1, "a", 1, 0, 1, 1);
    QCOMPARE(SqliteOper::liveCount(), 0);
    QCOMPARE(SqliteOper::maxId(), 1);
}

void TstBookIndex::databaseLivesInTheApplicationDirectory()
{
    TestAppDir app;
    QTemporaryDir elsewhere;
    const QString old = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    SqliteOper::ensureBooksTable();
    QDir::setCurrent(old);
    QVERIFY(QFileInfo::exists(app.file("sys.db")));
    QVERIFY(!QFileInfo::exists(elsewhere.path() + "/sys.db"));
}

void TstBookIndex::failureValuesWhenTheDatabaseCannotOpen()
{
    TestAppDir app;
    // A directory where the database file should be cannot be opened as a database.
    QDir().mkdir(app.file("sys.db"));
    SqliteOper::ensureBooksTable();
    QCOMPARE(SqliteOper::maxId(), -1);
    QCOMPARE(SqliteOper::maxSort(0), -1.0f);
    QCOMPARE(SqliteOper::childCount(0), -1);
    QCOMPARE(SqliteOper::liveCount(), -1);
}

void TstBookIndex::tableAndIndexAreCreatedOnce()
{
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    insertRow(1, "a", 1, 0, 1, 0);
    SqliteOper::ensureBooksTable();
    QCOMPARE(SqliteOper::liveCount(), 1);
    QSqlDatabase db;
    QVERIFY(SqliteOper::openDatabase(db));
    QSqlQuery q(db);
    QVERIFY(q.exec("select count(*) from sqlite_master where type='index' and tbl_name='books'"));
    QVERIFY(q.first());
    QCOMPARE(q.value(0).toInt(), 1);
    // Without a table the statements fail: the failure value, not a number, is returned.
    QVERIFY(q.exec("drop table books"));
    QVERIFY(std::isnan(SqliteOper::maxSort(1)));
    QCOMPARE(SqliteOper::maxId(), -1);
}

QTEST_MAIN(TstBookIndex)
#include "tst_bookindex.moc"
