#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "library/filechooser.h"

#include <QSqlQuery>
#include <QTextCodec>
#include <QTextEdit>
#include <QTreeView>
#include <QtTest>

// Data safety: an import copies into a directory that did not exist and keeps every byte of
// its files; a refused import leaves no copy and no row. An export is written whole, never
// inside the library, with the open text saved first, and keeps GB18030 chapters intact.
class TstBookIo : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void importKeepsFilesAndNaturalOrder();
    void refusedImportsChangeNothing_data();
    void refusedImportsChangeNothing();
    void exportFollowsTheCatalog();
};

namespace {

const QString kLib = QStringLiteral("data/我的书籍/");

void importFrom(MainWindow& w, const QString& dir)
{
    FileChooser::setImportChooser([dir](QWidget*) { return dir; });
    callSlot(&w, "importBooks_slot");
}

QStringList libraryState(const TestAppDir& app)
{
    QStringList state = QDir(app.file(kLib)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QSqlQuery q("select id , name , pid , sort , url from books order by id",
                QSqlDatabase::database());
    while (q.next())
        state << QString("%1 %2 %3 %4 %5")
                     .arg(q.value(0).toInt())
                     .arg(q.value(1).toString())
                     .arg(q.value(2).toInt())
                     .arg(q.value(3).toDouble())
                     .arg(q.value(4).toString());
    return state;
}

} // namespace

void TstBookIo::cleanup()
{
    FileChooser::setImportChooser({});
    FileChooser::setExportChooser({});
}

void TstBookIo::importKeepsFilesAndNaturalOrder()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    const QString src = app.file("外/我的小说");
    const QByteArray gb = QTextCodec::codecForName("GB18030")->fromUnicode("第二章：林'夕");
    // Listed by the file system in any order, numbers still come in their order.
    writeBytes(src + "/第十卷/第10章.TXT", "x");
    writeBytes(src + "/第十卷/第2章.txt", gb);
    writeBytes(src + "/第二卷/第1章.txt", "");
    writeBytes(src + "/说明.txt", "not a chapter");
    MainWindow w;
    importFrom(w, src);

    const QString L = app.file(kLib + "我的小说");
    QCOMPARE(treeLines(w).mid(3), QStringList({"我的小说", "  第二卷", "    第1章", "  第十卷",
                                               "    第2章", "    第10章"}));
    QCOMPARE(bookRow(9), QVariantList({"第10章", L + "/第十卷/第10章", 3, 7, 2.0, 0}));
    QCOMPARE(readBytes(L + "/第十卷/第2章.txt"), gb);
    QCOMPARE(readBytes(L + "/说明.txt"), QByteArray("not a chapter"));
    QVERIFY(QFileInfo(L + "/第二卷/index.txt").isFile());
    QCOMPARE(readBytes(src + "/第十卷/第10章.TXT"), QByteArray("x"));
    QCOMPARE(app.messages,
             (QList<QPair<int, QString>>{
                 {0, "导入完成。以下 1 个文件已复制到书库，但没有成为章节：\n说明.txt"}}));
}

void TstBookIo::refusedImportsChangeNothing_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("tableRefuses");
    QTest::addColumn<QString>("message");
    QTest::newRow("the application directory")
        << "." << false << "导入失败：不能导入书库本身或书库里的文件夹!";
    QTest::newRow("table refuses halfway") << "外/新书" << true << "导入失败：书库无法写入!";
}

void TstBookIo::refusedImportsChangeNothing()
{
    QFETCH(QString, source);
    QFETCH(bool, tableRefuses);
    QFETCH(QString, message);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    writeBytes(app.file("外/新书/卷/甲.txt"), "外来的甲");
    MainWindow w;
    if (tableRefuses) {
        QSqlQuery(QSqlDatabase::database())
            .exec("create trigger refuse before insert on books when new.name = '甲' "
                  "begin select raise(abort, 'no'); end");
    }
    const QStringList before = libraryState(app);
    importFrom(w, app.file(source));
    QCOMPARE(libraryState(app), before);
    QCOMPARE(readBytes(app.file(kLib + "书/卷/甲.txt")), QByteArray("正文"));
    QCOMPARE(treeLines(w), QStringList({"书", "  卷", "    甲"}));
    QCOMPARE(app.messages.value(0).second, message);
}

void TstBookIo::exportFollowsTheCatalog()
{
    TestAppDir app;
    seedLibrary(
        app, {"书", "书/上卷", "书/上卷/一", "书/上卷/二", "书/下卷", "书/下卷/三", "书/下卷/四"});
    writeBytes(app.file(kLib + "书/下卷/三.txt"),
               QTextCodec::codecForName("GB18030")->fromUnicode("“三”"));
    QString out = app.file("导出/书.txt");
    QDir().mkpath(app.file("导出"));
    FileChooser::setExportChooser([&](QWidget*, const QString&) { return out; });
    MainWindow w;
    // After a move the export follows the order on screen; the open text is saved first.
    treeOf(w)->setCurrentIndex(indexOf(w, "书/下卷/四"));
    callSlot(&w, "upChapter_slot");
    callSlot(&w, "on_treeView_clicked", indexOf(w, "书/上卷/一"));
    editorOf(w)->textCursor().insertText("新");
    treeOf(w)->setCurrentIndex(indexOf(w, "书"));
    callSlot(&w, "exportBooks_slot");
    QCOMPARE(readBytes(out), QByteArray("\n\n\n上卷    一\n\n\n新正文\n\n\n上卷    二\n\n\n正文"
                                        "\n\n\n下卷    四\n\n\n正文\n\n\n下卷    三\n\n\n“三”"));
    QVERIFY(app.messages.isEmpty());

    // Never into the library, where it could take a chapter's place.
    out = app.file(kLib + "书/上卷/一.txt");
    callSlot(&w, "exportBooks_slot");
    QCOMPARE(readBytes(out), QByteArray("新正文"));
    QCOMPARE(app.messages.value(0), qMakePair(2, QString("导出失败：请选择书库以外的位置!")));
}

QTEST_MAIN(TstBookIo)
#include "tst_bookio.moc"
