// The open chapter in the main window: what reaches its file, and what never does. Every case
// compares the chapter file's bytes, the one thing an author stands to lose.
#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "app/messages.h"
#include "library/filechooser.h"

#include <QDir>
#include <QTextEdit>
#include <QTreeView>
#include <QtTest>

#include <utility>

class TstOpenChapter : public QObject
{
    Q_OBJECT
private slots:
    void deletedChapterNeverComesBack_data();
    void deletedChapterNeverComesBack();
    void unchangedTextIsNeverRewritten_data();
    void unchangedTextIsNeverRewritten();
    void oneFailedSaveOneBox();
};

namespace {

const QString kLib = QStringLiteral("data/我的书籍/");

// The ways an open chapter's text reaches its file without the author asking.
void trigger(MainWindow& w, const QString& how)
{
    if (how == "tick")
        callSlot(&w, "timer_save_slot");
    else if (how == "quit")
        callSlot(&w, "qApp_quit");
    else
        callSlot(&w, "on_treeView_clicked", indexOf(w, "别书/卷/乙"));
}

} // namespace

void TstOpenChapter::deletedChapterNeverComesBack_data()
{
    QTest::addColumn<QString>("deleted"); // "book" or "chapter"
    QTest::addColumn<QString>("how");
    for (const char* how : {"tick", "quit", "click"}) {
        QTest::addRow("book deleted, a book imported in its place, %s", how) << "book" << how;
        QTest::addRow("only chapter deleted, recreated, %s", how) << "chapter" << how;
    }
}

void TstOpenChapter::deletedChapterNeverComesBack()
{
    QFETCH(QString, deleted);
    QFETCH(QString, how);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "别书", "别书/卷", "别书/卷/乙"}, "旧文");
    const QString file = app.file(kLib + "书/卷/甲.txt");
    // Without the volume's own text the view's next item opens nothing after the delete.
    QFile::remove(app.file(kLib + "书/卷/index.txt"));
    MainWindow w;
    callSlot(&w, "on_treeView_clicked", indexOf(w, "书/卷/甲"));
    typeText(editorOf(w), "删掉的");

    treeOf(w)->setCurrentIndex(indexOf(w, deleted == "book" ? "书" : "书/卷/甲"));
    callSlot(&w, deleted == "book" ? "deleteBooks_slot" : "deleteChapter_slot");
    QVERIFY(!QFileInfo::exists(file));
    if (deleted == "book") {
        QTemporaryDir source;
        const QString dir = source.filePath("书");
        QVERIFY(writeBytes(dir + "/卷/甲.txt", "新的"));
        FileChooser::setImportChooser([dir](QWidget*) { return dir; });
        callSlot(&w, "importBooks_slot");
        FileChooser::setImportChooser({});
        QVERIFY(indexOf(w, "书/卷/甲").isValid());
    } else {
        QVERIFY(writeBytes(file, "新的"));
    }
    trigger(w, how);
    QCOMPARE(readBytes(file), QByteArray("新的"));
    QVERIFY(app.messages.isEmpty());
}

void TstOpenChapter::unchangedTextIsNeverRewritten_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("typed"); // typed and then deleted again when "x\b"
    QTest::addColumn<QString>("how");
    QTest::addColumn<QByteArray>("saved");
    const QByteArray gb = QByteArray::fromHex("c4e3bac3"); // 你好 in GB18030
    for (const char* how : {"tick", "quit", "click"}) {
        QTest::addRow("CRLF lines, untouched, %s", how)
            << QByteArray("一\r\n二\r\n") << "x\b" << how << QByteArray("一\r\n二\r\n");
        QTest::addRow("GB18030, untouched, %s", how) << gb << "x\b" << how << gb;
        QTest::addRow("CRLF lines, edited, %s", how)
            << QByteArray("一\r\n二\r\n") << "x" << how << QByteArray("x一\n二\n");
    }
}

void TstOpenChapter::unchangedTextIsNeverRewritten()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, typed);
    QFETCH(QString, how);
    QFETCH(QByteArray, saved);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "别书", "别书/卷", "别书/卷/乙"});
    const QString file = app.file(kLib + "书/卷/甲.txt");
    writeBytes(file, bytes);
    MainWindow w;
    callSlot(&w, "on_treeView_clicked", indexOf(w, "书/卷/甲"));
    QTextEdit* editor = editorOf(w);
    editor->moveCursor(QTextCursor::Start);
    for (const QChar c : typed) {
        if (c == '\b')
            QTest::keyClick(editor, Qt::Key_Backspace);
        else
            typeText(editor, c);
    }
    QVERIFY(editor->document()->isModified());
    trigger(w, how);
    QCOMPARE(readBytes(file), saved);
}

void TstOpenChapter::oneFailedSaveOneBox()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    callSlot(&w, "on_treeView_clicked", indexOf(w, "书/卷/甲"));
    QTextEdit* editor = editorOf(w);
    typeText(editor, "写了");
    // The file's place is taken by a directory: every save of the chapter fails.
    const QString file = app.file(kLib + "书/卷/甲.txt");
    QVERIFY(QFile::remove(file) && QDir().mkdir(file));
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

QTEST_MAIN(TstOpenChapter)
#include "tst_openchapter.moc"
