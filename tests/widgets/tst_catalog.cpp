#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "app/messages.h"
#include "library/filechooser.h"

#include <QDirIterator>
#include <QSqlQuery>
#include <QTextEdit>
#include <QTreeView>
#include <QtTest>

#include <unistd.h>
#include <utility>

// The catalog and the open chapter in the main window. Successful opens, saves, renames,
// moves, deletes, imports and exports, with every byte of the library and of each backup, are
// the random-operation test's; here are the labels, and the refusals, failures and untouched
// texts it never provokes.
class TstCatalog : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void openingAnItem_data();
    void openingAnItem();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void unchangedTextIsNeverRewritten_data();
    void unchangedTextIsNeverRewritten();
    void oneFailedSaveOneBox();
    void autosaveKeepsAVersionHistoryWhileModified();
};

namespace {

const QString kLib = QStringLiteral("data/我的书籍/");

void act(MainWindow& w, const QString& path, const char* slot)
{
    treeOf(w)->setCurrentIndex(indexOf(w, path));
    callSlot(&w, slot);
}

void open(MainWindow& w, const QString& path)
{
    callSlot(&w, "on_treeView_clicked", indexOf(w, path));
}

QMap<QString, QByteArray> files(const QString& dir)
{
    QMap<QString, QByteArray> all;
    for (QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        all[path] = readBytes(path);
    }
    return all;
}

QString rows()
{
    QSqlQuery q("select group_concat(id || name || pid || sort || del || url, '|') from books",
                QSqlDatabase::database());
    return q.next() ? q.value(0).toString() : QString();
}

} // namespace

void TstCatalog::cleanup()
{
    FileChooser::setImportChooser({});
    FileChooser::setExportChooser({});
}

void TstCatalog::openingAnItem_data()
{
    QTest::addColumn<bool>("readable");
    QTest::newRow("one paragraph") << true;
    QTest::newRow("unreadable") << false;
}

void TstCatalog::openingAnItem()
{
    QFETCH(bool, readable);
    if (!readable && ::geteuid() == 0)
        QSKIP("file permissions do not stop the superuser from reading");
    TestAppDir app;
    // One paragraph (a line separator is no paragraph break) that must come back byte for
    // byte: markup-like text, a no-break space, a line separator, a character beyond the BMP.
    const QString text = "<b>一段</b>\u00a0\u2028😀";
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, text);
    const QString other = app.file(kLib + "书/卷/乙.txt");
    if (!readable)
        QFile::setPermissions(other, QFileDevice::Permissions());
    MainWindow w;
    open(w, "书/卷/甲");
    typeText(editorOf(w), "你好");
    open(w, "书/卷/乙");
    QFile::setPermissions(other, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // A one-paragraph chapter gets its "*" like a longer one; one that cannot be read leaves
    // the open chapter in place, and its text goes on saving into its own file.
    QCOMPARE(app.messages.value(0).second, QString(readable ? "" : "不能打开文件!"));
    QCOMPARE(titleOf(w), QString(readable ? "乙*" : "甲*"));
    QCOMPARE(statusPathOf(w), QString(readable ? "书/卷/乙.txt" : "书/卷/甲.txt"));
    open(w, "书");
    QCOMPARE(readBytes(app.file(kLib + "书/卷/甲.txt")), ("你好" + text).toUtf8());
    QCOMPARE(readBytes(other), text.toUtf8());
}

void TstCatalog::refusalsChangeNothing_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("place");   // chosen for an import or export
    QTest::addColumn<QString>("refusal"); // "bin": no room for copies; else a refused statement
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, const QString& item, const QString& slot,
                        const QString& place, const QString& refusal, const QString& message) {
        QTest::newRow(name) << item << slot << place << refusal << message;
    };
    row("delete a chapter, no room in the bin", "书/卷/甲", "deleteChapter_slot", "", "bin",
        "删除失败：不能放入回收站，这一章原样保留!");
    // A book's own row is marked after its volumes and chapters: refused halfway.
    row("delete a book, the table refuses halfway", "书", "deleteBooks_slot", "",
        "update on books when new.type = 1", "删除失败：书库无法写入，这本书原样保留!");
    row("import the application directory", "", "importBooks_slot", ".", "",
        "导入失败：不能导入书库本身或书库里的文件夹!");
    row("import, the table refuses halfway", "", "importBooks_slot", "外/新书",
        "insert on books when new.name = '甲'", "导入失败：书库无法写入!");
    row("export into the library, where it could take a chapter's place", "书", "exportBooks_slot",
        kLib + "书/卷/甲.txt", "", "导出失败：请选择书库以外的位置!");
    // Not a refusal: the files that did not become chapters are named.
    row("import with a loose file", "", "importBooks_slot", "外/新书", "",
        "导入完成。以下 1 个文件已复制到书库，但没有成为章节：\n说明.txt");
}

void TstCatalog::refusalsChangeNothing()
{
    QFETCH(QString, item);
    QFETCH(QString, slot);
    QFETCH(QString, place);
    QFETCH(QString, refusal);
    QFETCH(QString, message);
    const bool refused = !message.startsWith("导入完成");
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"});
    writeBytes(app.file("外/新书/卷/甲.txt"), "外来的甲");
    writeBytes(app.file("外/新书/说明.txt"), "not a chapter");
    const QString chosen = app.file(place);
    FileChooser::setImportChooser([chosen](QWidget*) { return chosen; });
    FileChooser::setExportChooser([chosen](QWidget*, const QString&) { return chosen; });
    MainWindow w;
    if (refusal == "bin") {
        QDir(app.file("data/回收站")).removeRecursively();
        writeBytes(app.file("data/回收站"), "not a directory");
    } else if (!refusal.isEmpty()) {
        QSqlQuery(QSqlDatabase::database())
            .exec("create trigger refuse before " + refusal +
                  " begin select raise(abort, 'no'); end");
    }
    const QMap<QString, QByteArray> library = files(app.file(kLib));
    const QString table = rows();
    const QStringList tree = treeLines(w);
    act(w, item, qPrintable(slot));
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{refused ? 2 : 0, message}}));
    QCOMPARE(files(app.file(kLib)) == library, refused);
    QCOMPARE(rows() == table, refused);
    QCOMPARE(treeLines(w) == tree, refused);
}

void TstCatalog::unchangedTextIsNeverRewritten_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("autosave tick") << "timer_save_slot";
    QTest::newRow("quit") << "qApp_quit";
    QTest::newRow("opening another item") << "";
}

void TstCatalog::unchangedTextIsNeverRewritten()
{
    QFETCH(QString, how);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    const QByteArray gb = QByteArray::fromHex("c4e3bac30d0a"); // 你好 and CRLF in GB18030
    writeBytes(app.file(kLib + "书/卷/甲.txt"), gb);
    MainWindow w;
    open(w, "书/卷/甲");
    // Typed and taken back: the document is modified, its text is not.
    typeText(editorOf(w), "x");
    QTest::keyClick(editorOf(w), Qt::Key_Backspace);
    QVERIFY(editorOf(w)->document()->isModified());
    if (how.isEmpty())
        open(w, "书/卷");
    else
        callSlot(&w, qPrintable(how));
    QCOMPARE(readBytes(app.file(kLib + "书/卷/甲.txt")), gb);
}

void TstCatalog::oneFailedSaveOneBox()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    open(w, "书/卷/甲");
    QTextEdit* editor = editorOf(w);
    typeText(editor, "写了");
    // The file's place is taken by a directory: every save of the chapter fails.
    QVERIFY(QFile::remove(app.file(kLib + "书/卷/甲.txt")) &&
            QDir().mkdir(app.file(kLib + "书/卷/甲.txt")));
    // A box takes the focus from the editor, as the real one does while it is up; the
    // focus comes back when it closes.
    bool editorFocused = true;
    Messages::setPresenter([&](const QString& text, int kind) {
        app.messages.append({kind, text});
        if (std::exchange(editorFocused, false)) {
            QFocusEvent out(QEvent::FocusOut);
            QApplication::sendEvent(editor, &out);
        }
        editorFocused = true;
        return 1;
    });
    const QPair<int, QString> failed{Messages::Error, QStringLiteral("保存文件失败！")};
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{failed}));
    // The next failure, once that box is gone, has its own box.
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{failed, failed}));
}

void TstCatalog::autosaveKeepsAVersionHistoryWhileModified()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    const auto backups = [&] { return QDir(app.file("bak")).entryList(QDir::Files); };
    // While the text is unmodified, ticks write nothing.
    open(w, "书/卷/甲");
    editorOf(w)->document()->setModified(false);
    callSlot(&w, "timer_save_slot");
    QCOMPARE(backups(), QStringList());
    editorOf(w)->textCursor().insertText("第一句。");
    callSlot(&w, "timer_save_slot");
    QVERIFY2(QRegularExpression("^书_卷_甲_\\d{13}\\.txt$").match(backups().value(0)).hasMatch(),
             qPrintable(backups().join(' ')));
    // Saving does not clear the modified state: the next tick leaves another copy.
    QTest::qWait(5);
    callSlot(&w, "timer_save_slot");
    QCOMPARE(backups().size(), 2);
}

QTEST_MAIN(TstCatalog)
#include "tst_catalog.moc"
