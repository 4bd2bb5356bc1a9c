// The open chapter in the main window: what reaches its file, and what never does. Saves of
// edited text, deleted and vanished chapters, and the bytes of every backup are watched by
// the random-operation test; these are the cases it does not provoke.
#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "app/messages.h"

#include <QDir>
#include <QTextEdit>
#include <QtTest>

#include <utility>

class TstOpenChapter : public QObject
{
    Q_OBJECT
private slots:
    void unchangedTextIsNeverRewritten_data();
    void unchangedTextIsNeverRewritten();
    void oneFailedSaveOneBox();
    void autosaveKeepsAVersionHistoryWhileModified();
};

namespace {

const QString kChapter = QStringLiteral("data/我的书籍/书/卷/甲.txt");

void open(MainWindow& w, const QString& path)
{
    callSlot(&w, "on_treeView_clicked", indexOf(w, path));
}

} // namespace

void TstOpenChapter::unchangedTextIsNeverRewritten_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("autosave tick") << "timer_save_slot";
    QTest::newRow("quit") << "qApp_quit";
    QTest::newRow("opening another item") << "";
}

void TstOpenChapter::unchangedTextIsNeverRewritten()
{
    QFETCH(QString, how);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    const QByteArray gb = QByteArray::fromHex("c4e3bac30d0a"); // 你好 and CRLF in GB18030
    writeBytes(app.file(kChapter), gb);
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
    QCOMPARE(readBytes(app.file(kChapter)), gb);
}

void TstOpenChapter::oneFailedSaveOneBox()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    open(w, "书/卷/甲");
    QTextEdit* editor = editorOf(w);
    typeText(editor, "写了");
    // The file's place is taken by a directory: every save of the chapter fails.
    QVERIFY(QFile::remove(app.file(kChapter)) && QDir().mkdir(app.file(kChapter)));
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

void TstOpenChapter::autosaveKeepsAVersionHistoryWhileModified()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    const auto backups = [&] { return QDir(app.file("bak")).entryList(QDir::Files); };
    // Before anything is opened, and while the text is unmodified, ticks write nothing.
    callSlot(&w, "timer_save_slot");
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

QTEST_MAIN(TstOpenChapter)
#include "tst_openchapter.moc"
