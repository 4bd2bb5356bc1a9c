#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/messages.h"

#include "app/mainwindow.h"

#include <QDirIterator>
#include <QSqlQuery>
#include <QTextEdit>
#include <QTreeView>
#include <QtTest>

// Data safety: new chapters never take an existing file; a delete whose copy or table change
// fails leaves every library file and every row as it was. Moves and deletes that succeed,
// with the open text saved first and the copies in the bin, are the random-operation test's.
class TstCatalogEdit : public QObject
{
    Q_OBJECT
private slots:
    void starterLibraryAndNumbering();
    void failedDeletesChangeNothing_data();
    void failedDeletesChangeNothing();
};

namespace {

const QString kLib = QStringLiteral("data/我的书籍/");

void act(MainWindow& w, const QString& path, const char* slot)
{
    treeOf(w)->setCurrentIndex(indexOf(w, path));
    callSlot(&w, slot);
}

// Every file below `dir` with its bytes.
QMap<QString, QByteArray> files(const QString& dir)
{
    QMap<QString, QByteArray> all;
    for (QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        all[path.mid(dir.size())] = readBytes(path);
    }
    return all;
}

QStringList rows()
{
    QSqlQuery q("select id , name , sort , del from books order by id", QSqlDatabase::database());
    QStringList all;
    while (q.next())
        all << QString("%1 %2 %3 %4")
                   .arg(q.value(0).toInt())
                   .arg(q.value(1).toString())
                   .arg(q.value(2).toDouble())
                   .arg(q.value(3).toInt());
    return all;
}

QStringList binEntries(const TestAppDir& app)
{
    return QDir(app.file("data/回收站")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

} // namespace

void TstCatalogEdit::starterLibraryAndNumbering()
{
    TestAppDir app;
    MainWindow w;
    const QString vol = "默认书名[1]/默认分卷[1]";
    // Numbers count every row ever made; inserts go above the current chapter.
    act(w, vol, "newChapter_slot");
    act(w, vol, "newChapter_slot");
    act(w, vol + "/默认章节[3]", "insertChapter_slot");
    QCOMPARE(titleOf(w), QString("默认章节[4]*"));
    act(w, vol + "/默认章节[1]", "insertChapter_slot");

    // Deleted books still count; a new volume opens at once.
    act(w, "", "newBooks_slot");
    act(w, "默认书名[2]", "deleteBooks_slot");
    act(w, "", "newBooks_slot");
    act(w, "默认书名[1]", "newVolume_slot");
    QCOMPARE(statusPathOf(w), QString("默认书名[1]/默认分卷[2]/index.txt"));
    QCOMPARE(treeLines(w), QStringList({"默认书名[1]", "  默认分卷[1]", "    默认章节[5]",
                                        "    默认章节[1]", "    默认章节[2]", "    默认章节[4]",
                                        "    默认章节[3]", "  默认分卷[2]", "默认书名[3]"}));
    QVERIFY(app.messages.isEmpty());

    // The next start loads the library as it was instead of adding to it.
    MainWindow again;
    QCOMPARE(treeLines(again), treeLines(w));
}

void TstCatalogEdit::failedDeletesChangeNothing_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("binBroken");
    QTest::addColumn<QString>("message");
    QTest::newRow("chapter, no room in the bin")
        << "书/卷/甲" << true << "删除失败：不能放入回收站，这一章原样保留!";
    QTest::newRow("book, table refuses halfway")
        << "书" << false << "删除失败：书库无法写入，这本书原样保留!";
}

void TstCatalogEdit::failedDeletesChangeNothing()
{
    QFETCH(QString, item);
    QFETCH(bool, binBroken);
    QFETCH(QString, message);
    const bool book = item == "书";
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"});
    MainWindow w;
    const QString binDir = app.file("data/回收站");
    if (binBroken) {
        QDir(binDir).removeRecursively();
        writeBytes(binDir, "not a directory");
    } else {
        // A book's own row is marked after its volumes and chapters: refused halfway.
        QSqlQuery(QSqlDatabase::database())
            .exec(QString("create trigger refuse before update on books when new.type = %1 "
                          "begin select raise(abort, 'no'); end")
                      .arg(book ? 1 : 3));
    }
    const QMap<QString, QByteArray> library = files(app.file(kLib));
    const QStringList table = rows();
    act(w, item, book ? "deleteBooks_slot" : "deleteChapter_slot");
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{Messages::Error, message}}));
    QCOMPARE(files(app.file(kLib)), library);
    QCOMPARE(rows(), table);
    QCOMPARE(treeLines(w), QStringList({"书", "  卷", "    甲", "    乙"}));
    if (!binBroken)
        QVERIFY(binEntries(app).isEmpty());
}

QTEST_MAIN(TstCatalogEdit)
#include "tst_catalogedit.moc"
