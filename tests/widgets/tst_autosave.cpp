#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"

#include <QDir>
#include <QTextEdit>
#include <QtTest>

// Data safety: the autosave writes the backup before it rewrites the chapter; the cases
// check the chapter's bytes and the copy's bytes, that a removed chapter is not recreated,
// and that an empty editor never overwrites a chapter.
class TstAutosave : public QObject
{
    Q_OBJECT
private slots:
    void ticksKeepAVersionHistoryWhileModified();
    void emptyEditorIsNeverWritten();
};

namespace {

const QString kChapter = QStringLiteral("data/我的书籍/书/卷/甲.txt");

QStringList backups(const TestAppDir& app)
{
    return QDir(app.file("bak")).entryList(QDir::Files, QDir::Name);
}

void tick(MainWindow& w) { callSlot(&w, "timer_save_slot"); }

void open(MainWindow& w)
{
    callSlot(&w, "on_treeView_clicked", indexOf(w, "书/卷/甲"));
}

} // namespace

void TstAutosave::ticksKeepAVersionHistoryWhileModified()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    // Before anything is opened, and while the text is unmodified, ticks write nothing.
    tick(w);
    open(w);
    editorOf(w)->document()->setModified(false);
    tick(w);
    QVERIFY(backups(app).isEmpty());
    QCOMPARE(readBytes(app.file(kChapter)), QByteArray("正文"));

    editorOf(w)->textCursor().insertText("第一句。");
    tick(w);
    QCOMPARE(readBytes(app.file(kChapter)), QByteArray("第一句。正文"));
    QStringList copies = backups(app);
    QCOMPARE(copies.size(), 1);
    QVERIFY2(QRegularExpression("^书_卷_甲_\\d{13}\\.txt$").match(copies[0]).hasMatch(),
             qPrintable(copies[0]));
    QCOMPARE(readBytes(app.file("bak/" + copies[0])), QByteArray("第一句。正文"));

    // Saving does not clear the modified state: the next tick leaves another copy.
    QTest::qWait(5);
    tick(w);
    QCOMPARE(backups(app).size(), 2);

    // A chapter removed behind our back is not recreated, but its text still gets a copy.
    editorOf(w)->textCursor().insertText("救回来的");
    QFile::remove(app.file(kChapter));
    QTest::qWait(5);
    tick(w);
    QVERIFY(!QFileInfo::exists(app.file(kChapter)));
    copies = backups(app);
    QCOMPARE(copies.size(), 3);
    QCOMPARE(readBytes(app.file("bak/" + copies.last())), editorOf(w)->toPlainText().toUtf8());
    QVERIFY(app.messages.isEmpty());
}

// Neither the tick nor the quit, which both save, may leave an emptied chapter behind.
void TstAutosave::emptyEditorIsNeverWritten()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    open(w);
    editorOf(w)->selectAll();
    editorOf(w)->textCursor().removeSelectedText();
    tick(w);
    callSlot(&w, "qApp_quit");
    QCOMPARE(readBytes(app.file(kChapter)), QByteArray("正文"));
}

QTEST_MAIN(TstAutosave)
#include "tst_autosave.moc"
