#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "library/imbook_probar.h"

#include <QDirIterator>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTextEdit>
#include <QTreeView>
#include <QtTest>

// Data safety: new chapters never take an existing file (checked byte for byte); moves and
// deletes save the open text first and the tests read it back from the chapter file or its
// recycle-bin copy; a delete whose copy or table change fails leaves every library file
// and every row as it was.
class TstCatalogEdit : public QObject
{
    Q_OBJECT
private slots:
    void numberingCountsEveryRowEverMade();
    void repeatedInsertsKeepTheirOrderOnReload();
    void movingChaptersSwapsSortsOnly();
    void deletingChaptersKeepsCopiesAndOpensTheNext();
    void deletingABookMovesItIntoTheBin();
    void failedDeletesChangeNothing_data();
    void failedDeletesChangeNothing();
};

namespace {

const QString kLib = QStringLiteral("data/我的书籍/");

void act(MainWindow& w, const QString& path, const char* slot)
{
    treeOf(w)->setCurrentIndex(indexOf(w, path));
    QVERIFY(QMetaObject::invokeMethod(&w, slot));
}

// Opens a chapter and types at its start, as the author does.
void write(MainWindow& w, const QString& path, const QString& text)
{
    QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, indexOf(w, path)));
    editorOf(w)->textCursor().insertText(text);
}

double sortOf(int id) { return bookRow(id).value(4).toDouble(); }

// Every file below `dir` with its bytes.
QMap<QString, QByteArray> files(const QString& dir)
{
    QMap<QString, QByteArray> all;
    QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
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
        all << QString("%1 %2 %3 %4").arg(q.value(0).toInt()).arg(q.value(1).toString())
                   .arg(q.value(2).toDouble()).arg(q.value(3).toInt());
    return all;
}

QStringList binEntries(const TestAppDir& app)
{
    return QDir(app.file("data/回收站")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

} // namespace

void TstCatalogEdit::numberingCountsEveryRowEverMade()
{
    TestAppDir app;
    MainWindow w;
    const QString vol = "默认书名[1]/默认分卷[1]";
    act(w, vol, "newChapter_slot");
    act(w, vol, "newChapter_slot");
    act(w, vol + "/默认章节[3]", "insertChapter_slot");
    QCOMPARE(titleOf(w), QString("默认章节[4]*"));
    QCOMPARE(readBytes(app.file(kLib + vol + "/默认章节[4].txt")), QByteArray("默认章节[4]\n\n"));
    act(w, vol + "/默认章节[1]", "insertChapter_slot");
    act(w, vol + "/默认章节[2]", "new_Chapter_slot");
    const QStringList order{"默认书名[1]", "  默认分卷[1]", "    默认章节[5]", "    默认章节[1]",
                            "    默认章节[2]", "    默认章节[4]", "    默认章节[3]", "    默认章节[6]"};
    QCOMPARE(treeLines(w), order);
    QCOMPARE(QList<double>({sortOf(6), sortOf(7), sortOf(8)}), QList<double>({2.5, 0.5, 4}));
    QCOMPARE(treeOf(w)->currentIndex(), indexOf(w, vol + "/默认章节[6]"));

    // Deleted books still count; a new volume opens at once.
    act(w, "", "newBooks_slot");
    act(w, "默认书名[2]", "deleteBooks_slot");
    act(w, "", "newBooks_slot");
    act(w, "默认书名[1]", "newVolume_slot");
    QCOMPARE(statusPathOf(w), QString("默认书名[1]/默认分卷[2]/index.txt"));
    QCOMPARE(treeLines(w).filter(QRegularExpression("^默认")), QStringList({"默认书名[1]", "默认书名[3]"}));
    QVERIFY(app.messages.isEmpty());

    MainWindow again;
    QCOMPARE(treeLines(again).mid(0, 8), order);
}

void TstCatalogEdit::repeatedInsertsKeepTheirOrderOnReload()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"});
    MainWindow w;
    QList<double> sorts;
    treeOf(w)->setCurrentIndex(indexOf(w, "书/卷/乙"));
    for (int i = 0; i < 5; ++i) {
        QMetaObject::invokeMethod(&w, "insertChapter_slot");
        sorts << sortOf(5 + i);
    }
    // Each insert halves the gap above the chapter it was made at (甲 has sort 3).
    QCOMPARE(sorts, QList<double>({3.5, 3.25, 3.125, 3.0625, 3.03125}));
    MainWindow again;
    QCOMPARE(treeLines(again), treeLines(w));
}

void TstCatalogEdit::movingChaptersSwapsSortsOnly()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙", "书/卷/丙"});
    MainWindow w;
    act(w, "书/卷/甲", "upChapter_slot");
    act(w, "书/卷/丙", "downChapter_slot");
    QCOMPARE(QList<double>({sortOf(3), sortOf(4), sortOf(5)}), QList<double>({3, 4, 5}));

    write(w, "书/卷/甲", "刚写的");
    act(w, "书/卷/甲", "downChapter_slot");
    QCOMPARE(treeLines(w), QStringList({"书", "  卷", "    乙", "    甲", "    丙"}));
    QCOMPARE(QList<double>({sortOf(3), sortOf(4)}), QList<double>({4, 3}));
    // Row 0 now shows 乙 and is opened; the moved chapter kept its text and its file.
    QCOMPARE(titleOf(w), QString("乙"));
    QCOMPARE(readBytes(app.file(kLib + "书/卷/甲.txt")), QByteArray("刚写的正文"));
    QCOMPARE(readBytes(app.file(kLib + "书/卷/乙.txt")), QByteArray("正文"));
    QCOMPARE(bookRow(3).value(0).toString(), QString("甲"));
    QVERIFY(app.messages.isEmpty());
    MainWindow again;
    QCOMPARE(treeLines(again), treeLines(w));
}

void TstCatalogEdit::deletingChaptersKeepsCopiesAndOpensTheNext()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙", "书/卷/丙"});
    MainWindow w;
    write(w, "书/卷/乙", "最后一句");
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    act(w, "书/卷/乙", "deleteChapter_slot");
    const qint64 after = QDateTime::currentMSecsSinceEpoch();

    const QStringList bin = binEntries(app);
    QCOMPARE(bin.size(), 1);
    const QRegularExpressionMatch m = QRegularExpression("^书_卷_乙_(\\d+)\\.txt$").match(bin[0]);
    QVERIFY2(m.hasMatch(), qPrintable(bin[0]));
    QVERIFY(m.captured(1).toLongLong() >= before && m.captured(1).toLongLong() <= after);
    QCOMPARE(readBytes(app.file("data/回收站/" + bin[0])), QByteArray("最后一句正文"));
    QVERIFY(!QFileInfo::exists(app.file(kLib + "书/卷/乙.txt")));
    QCOMPARE(bookRow(4).value(5).toInt(), 1);
    QCOMPARE(titleOf(w), QString("丙"));

    act(w, "书/卷/丙", "deleteChapter_slot");
    QCOMPARE(titleOf(w), QString("甲"));
    act(w, "书/卷/甲", "deleteChapter_slot");
    QCOMPARE(statusPathOf(w), QString("书/卷/index.txt"));
    QCOMPARE(binEntries(app).size(), 3);
    QCOMPARE(treeLines(w), QStringList({"书", "  卷"}));
    QVERIFY(app.messages.isEmpty());
}

void TstCatalogEdit::deletingABookMovesItIntoTheBin()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙", "另书"});
    MainWindow w;
    write(w, "书/卷/甲", "新");
    act(w, "书", "deleteBooks_slot");

    const QStringList bin = binEntries(app);
    QCOMPARE(bin.size(), 1);
    QVERIFY2(QRegularExpression("^书_\\d{13}$").match(bin[0]).hasMatch(), qPrintable(bin[0]));
    const QMap<QString, QByteArray> kept = files(app.file("data/回收站/" + bin[0]));
    QCOMPARE(kept.keys(), QStringList({"/index.txt", "/卷/index.txt", "/卷/乙.txt", "/卷/甲.txt"}));
    QCOMPARE(kept["/卷/甲.txt"], QByteArray("新正文"));
    QVERIFY(!QFileInfo::exists(app.file(kLib + "书")));
    QCOMPARE(rows(), QStringList({"1 书 1 1", "2 卷 2 1", "3 甲 3 1", "4 乙 4 1", "5 另书 5 0"}));
    QCOMPARE(treeLines(w), QStringList({"另书"}));
    QVERIFY(!editorOf(w)->isEnabled());
    QVERIFY(w.findChildren<ImBook_ProBar*>().isEmpty());
    QVERIFY(app.messages.isEmpty());
}

void TstCatalogEdit::failedDeletesChangeNothing_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("slot");
    QTest::addColumn<bool>("binBroken");
    QTest::addColumn<QString>("message");
    QTest::newRow("chapter, no room in the bin") << "书/卷/甲" << "deleteChapter_slot" << true
                                                 << "删除失败：不能放入回收站，这一章原样保留!";
    QTest::newRow("chapter, table refuses") << "书/卷/甲" << "deleteChapter_slot" << false
                                            << "删除失败：书库无法写入，这一章原样保留!";
    QTest::newRow("book, no room in the bin") << "书" << "deleteBooks_slot" << true
                                              << "删除失败：不能放入回收站，这本书原样保留!";
    QTest::newRow("book, table refuses") << "书" << "deleteBooks_slot" << false
                                         << "删除失败：书库无法写入，这本书原样保留!";
}

void TstCatalogEdit::failedDeletesChangeNothing()
{
    QFETCH(QString, item);
    QFETCH(QString, slot);
    QFETCH(bool, binBroken);
    QFETCH(QString, message);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"});
    MainWindow w;
    const QString binDir = app.file("data/回收站");
    if (binBroken) {
        QDir(binDir).removeRecursively();
        writeBytes(binDir, "not a directory");
    } else {
        // A book's own row is marked after its volumes and chapters: refused halfway.
        const QString kind = slot == "deleteBooks_slot" ? "1" : "3";
        QSqlQuery(QSqlDatabase::database())
            .exec("create trigger refuse before update on books when new.type = " + kind +
                  " begin select raise(abort, 'no'); end");
    }
    const QMap<QString, QByteArray> library = files(app.file(kLib));
    const QStringList table = rows();
    const QStringList tree = treeLines(w);
    act(w, item, qPrintable(slot));
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{2, message}}));
    QCOMPARE(files(app.file(kLib)), library);
    QCOMPARE(rows(), table);
    QCOMPARE(treeLines(w), tree);
    if (!binBroken)
        QVERIFY(binEntries(app).isEmpty());
}

QTEST_MAIN(TstCatalogEdit)
#include "tst_catalogedit.moc"
