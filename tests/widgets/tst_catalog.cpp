#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "editor/editortext.h"
#include "library/catalogpaths.h"

#include <QLineEdit>
#include <QTextCodec>
#include <QTextEdit>
#include <QTreeView>
#include <QtTest>

#include <unistd.h>

// Data safety in these tests: each case checks the bytes of the file that was open and of
// the file next to it (no save into the wrong file, nothing truncated), renames on disk and
// in the table (nothing moved outside its directory), and text byte for byte after an open
// and a save, including markup-like text and GB18030 files.
class TstCatalog : public QObject
{
    Q_OBJECT
private slots:
    void openingSavesTheOpenText_data();
    void openingSavesTheOpenText();
    void renamesKeepTheOpenFileSaving_data();
    void renamesKeepTheOpenFileSaving();
    void newItemsNeverTakeAnExistingPlace();
};

namespace {

const QString kLib = QStringLiteral("data/我的书籍/");

void open(MainWindow& w, const QString& path)
{
    callSlot(&w, "on_treeView_clicked", indexOf(w, path));
}

// Renames in place, as the author does: a double click, the new name, Return.
void rename(MainWindow& w, const QString& path, const QString& name)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTreeView* tree = treeOf(w);
    const QPoint at = tree->visualRect(indexOf(w, path)).center();
    QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    auto* line = tree->viewport()->findChild<QLineEdit*>();
    QVERIFY(line && line->isVisible());
    line->setText(name);
    QTest::keyClick(line, Qt::Key_Return);
    QCoreApplication::processEvents();
}

} // namespace

void TstCatalog::openingSavesTheOpenText_data()
{
    QTest::addColumn<QByteArray>("bytes"); // of the chapter to open; null: it was removed
    QTest::addColumn<QString>("text");     // shown once opened; empty: it cannot be opened
    QTest::addColumn<QString>("message");
    const QString markup =
        "<b>粗体</b> & <i>斜</i>\n<p>段落</p>&amp;\n\t制表\u3000全角  两空格\n😀\n"
        "不换行\u00a0空格\u2028软换行\n\n";
    QTest::newRow("markup-like UTF-8") << markup.toUtf8() << markup << "";
    const QString han = "第一章 林'夕\n\n　　“你好，”她说。";
    QTest::newRow("one paragraph") << QByteArray("一段") << "一段"
                                   << "";
    QTest::newRow("GB18030") << QTextCodec::codecForName("GB18030")->fromUnicode(han) << han << "";
    QTest::newRow("removed") << QByteArray() << ""
                             << "";
    QTest::newRow("unreadable") << QByteArray("正文") << ""
                                << "不能打开文件!";
}

void TstCatalog::openingSavesTheOpenText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QString, message);
    if (!message.isEmpty() && ::geteuid() == 0)
        QSKIP("file permissions do not stop the superuser from reading");
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, "第一行\n\n");
    const QString first = app.file(kLib + "书/卷/甲.txt");
    const QString other = app.file(kLib + "书/卷/乙.txt");
    if (bytes.isNull())
        QFile::remove(other);
    else
        writeBytes(other, bytes);
    if (!message.isEmpty())
        QFile::setPermissions(other, QFileDevice::Permissions());
    MainWindow w;
    open(w, "书/卷/甲");
    typeText(editorOf(w), "你好 world");
    const QByteArray typed("你好 world第一行\n\n");

    // A chapter that cannot be opened changes nothing: the text stays, and so does its file.
    open(w, "书/卷/乙");
    QFile::setPermissions(other, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const bool opened = !text.isEmpty();
    QCOMPARE(app.messages.value(0).second, message);
    QCOMPARE(readBytes(first), typed);
    QCOMPARE(editorPlainText(editorOf(w)->document()), opened ? text : QString::fromUtf8(typed));
    QCOMPARE(titleOf(w), QString(opened ? "乙*" : "甲*"));
    QCOMPARE(statusPathOf(w), QString(opened ? "书/卷/乙.txt" : "书/卷/甲.txt"));

    // The next save goes into the file the text belongs to, as UTF-8, character for
    // character; a book opens its own text.
    QTextCursor(editorOf(w)->document()).insertText("再写");
    open(w, "书");
    QCOMPARE(readBytes(first), opened ? typed : "再写" + typed);
    QCOMPARE(readBytes(other), opened ? ("再写" + text).toUtf8() : bytes);
    QCOMPARE(statusPathOf(w), QString("书/index.txt"));
}

void TstCatalog::renamesKeepTheOpenFileSaving_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("renamed");
    QTest::addColumn<QString>("openPath");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("missing"); // a chapter file removed outside the program
    const QString unsafe = "名称不能含有 / 或 \\，不能是 . 或 ..，首尾也不能有空格!";
    QTest::newRow("open chapter") << "书/卷/甲"
                                  << "序章"
                                  << "书/卷/序章"
                                  << "书/卷/序章.txt"
                                  << ""
                                  << "";
    QTest::newRow("book, with a quote") << "书"
                                        << "林'夕"
                                        << "林'夕"
                                        << "林'夕/卷/甲.txt"
                                        << ""
                                        << "";
    QTest::newRow("volume named like a file") << "书/卷"
                                              << "上.txt篇"
                                              << "书/上.txt篇"
                                              << "书/上.txt篇/甲.txt"
                                              << ""
                                              << "";
    // Refused: the old name stays, nothing moves, and the text still saves where it belongs.
    const QString taken = "重命名失败! 可能存在同名章节";
    QTest::newRow("chapter name taken") << "书/卷/甲"
                                        << "乙"
                                        << "书/卷/甲"
                                        << "书/卷/甲.txt" << taken << "";
    QTest::newRow("name of a sibling whose file is gone")
        << "书/卷/甲"
        << "乙"
        << "书/卷/甲"
        << "书/卷/甲.txt" << taken << "书/卷/乙.txt";
    QTest::newRow("climbs out") << "书/卷"
                                << "../../逃"
                                << "书/卷"
                                << "书/卷/甲.txt" << unsafe << "";
}

void TstCatalog::renamesKeepTheOpenFileSaving()
{
    QFETCH(QString, item);
    QFETCH(QString, name);
    QFETCH(QString, renamed);
    QFETCH(QString, openPath);
    QFETCH(QString, message);
    QFETCH(QString, missing);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, "旧题\n正文");
    if (!missing.isEmpty())
        QFile::remove(app.file(kLib + missing));
    MainWindow w;
    open(w, "书/卷/甲");
    editorOf(w)->textCursor().insertText("接着写");
    rename(w, item, name);
    QTRY_COMPARE(app.messages.value(0).second, message);
    QCOMPARE(statusPathOf(w), openPath);
    // Each stays what it was, whatever its name looks like: a book or volume is a directory.
    const int id = item.count('/') + 1;
    QCOMPARE(int(Catalog::kindOf(indexOf(w, renamed))), id);
    QCOMPARE(QFileInfo(app.file(kLib + renamed)).isDir(), id != 3);
    QCOMPARE(bookRow(id).mid(0, 2),
             QVariantList({renamed.section('/', -1), app.file(kLib + renamed)}));

    // A first line that is not the old name is the author's text, not a title: it stays.
    callSlot(&w, "timer_save_slot");
    QCOMPARE(readBytes(app.file(kLib + openPath)), QByteArray("接着写旧题\n正文"));
}

void TstCatalog::newItemsNeverTakeAnExistingPlace()
{
    TestAppDir app;
    // The author renamed chapter 1 to the name the next new chapter would get.
    seedLibrary(app, {"书", "书/卷", "书/卷/默认章节[2]"}, "作者的第一章");
    MainWindow w;
    treeOf(w)->setCurrentIndex(indexOf(w, "书/卷"));
    callSlot(&w, "newChapter_slot");
    QCOMPARE(treeLines(w), QStringList({"书", "  卷", "    默认章节[2]", "    默认章节[3]"}));
    QCOMPARE(readBytes(app.file(kLib + "书/卷/默认章节[2].txt")), QByteArray("作者的第一章"));
    QCOMPARE(readBytes(app.file(kLib + "书/卷/默认章节[3].txt")), QByteArray("默认章节[3]\n\n"));
    QCOMPARE(bookRow(4).value(1).toString(), app.file(kLib + "书/卷/默认章节[3]"));
}

QTEST_MAIN(TstCatalog)
#include "tst_catalog.moc"
