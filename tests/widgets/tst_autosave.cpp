#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"

#include <QDateTime>
#include <QDir>
#include <QTextEdit>
#include <QtTest>

// Data safety: the autosave writes the backup before it rewrites the chapter, both through
// the atomic rewrite of the file store; the cases check the chapter's bytes and the copy's
// bytes, that a removed chapter is not recreated elsewhere, and that an empty editor never
// overwrites a chapter.
class TstAutosave : public QObject
{
    Q_OBJECT
private slots:
    void tickWritesNothingUntilTheTextIsModified();
    void tickKeepsAVersionHistoryWhileModified();
    void beforeTheFirstOpeningTicksWriteNothing();
    void removedChapterStillGetsItsBackup();
    void quitSavesTheTextAndNeverWritesAnEmptyEditor();
};

namespace {

QStringList backups(const TestAppDir& app)
{
    return QDir(app.file("bak")).entryList(QDir::Files, QDir::Name);
}

void tick(MainWindow& w) { QMetaObject::invokeMethod(&w, "timer_save_slot"); }

} // namespace

void TstAutosave::tickWritesNothingUntilTheTextIsModified()
{
    TestAppDir app;
    MainWindow w;
    // Opening the starter chapter sized its whole text, which counts as an edit.
    editorOf(w)->document()->setModified(false);
    tick(w);
    QVERIFY(backups(app).isEmpty());
    QCOMPARE(readBytes(app.file("data/我的书籍/默认书名[1]/默认分卷[1]/默认章节[1].txt")),
             QByteArray("默认章节[1]\n\n"));
}

void TstAutosave::tickKeepsAVersionHistoryWhileModified()
{
    TestAppDir app;
    MainWindow w;
    const QString chapter = app.file("data/我的书籍/默认书名[1]/默认分卷[1]/默认章节[1].txt");
    QTextCursor cursor = editorOf(w)->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText("第一句。");
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    tick(w);
    const qint64 after = QDateTime::currentMSecsSinceEpoch();

    QCOMPARE(readBytes(chapter), QByteArray("默认章节[1]\n\n第一句。"));
    QStringList copies = backups(app);
    QCOMPARE(copies.size(), 1);
    const QRegularExpression name("^默认书名\\[1\\]_默认分卷\\[1\\]_默认章节\\[1\\]_([1-9][0-9]*)\\.txt$");
    const QRegularExpressionMatch m = name.match(copies[0]);
    QVERIFY2(m.hasMatch(), qPrintable(copies[0]));
    const qint64 stamp = m.captured(1).toLongLong();
    QVERIFY(stamp >= before && stamp <= after);
    QCOMPARE(readBytes(app.file("bak/" + copies[0])), readBytes(chapter));

    // Saving does not clear the modified state: the next tick leaves another copy.
    QTest::qWait(5);
    tick(w);
    copies = backups(app);
    QCOMPARE(copies.size(), 2);
    QCOMPARE(readBytes(app.file("bak/" + copies[1])), QByteArray("默认章节[1]\n\n第一句。"));
}

void TstAutosave::beforeTheFirstOpeningTicksWriteNothing()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    tick(w);
    QVERIFY(backups(app).isEmpty());
    QCOMPARE(readBytes(app.file("data/我的书籍/书/卷/甲.txt")), QByteArray("正文"));
}

void TstAutosave::removedChapterStillGetsItsBackup()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, indexOf(w, "书/卷/甲")));
    editorOf(w)->textCursor().insertText("救回来的");
    QFile::remove(app.file("data/我的书籍/书/卷/甲.txt"));
    tick(w);
    QVERIFY(!QFileInfo::exists(app.file("data/我的书籍/书/卷/甲.txt")));
    const QStringList copies = backups(app);
    QCOMPARE(copies.size(), 1);
    QVERIFY(copies[0].startsWith("书_卷_甲_"));
    QCOMPARE(readBytes(app.file("bak/" + copies[0])), QByteArray("救回来的正文"));
    QVERIFY(app.messages.isEmpty());
}

void TstAutosave::quitSavesTheTextAndNeverWritesAnEmptyEditor()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    const QString chapter = app.file("data/我的书籍/书/卷/甲.txt");
    {
        MainWindow w;
        QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, indexOf(w, "书/卷/甲")));
        editorOf(w)->textCursor().insertText("退出前写的");
        QMetaObject::invokeMethod(&w, "qApp_quit");
    }
    QCOMPARE(readBytes(chapter), QByteArray("退出前写的正文"));
    MainWindow w;
    QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, indexOf(w, "书/卷/甲")));
    editorOf(w)->selectAll();
    editorOf(w)->textCursor().removeSelectedText();
    tick(w);
    QMetaObject::invokeMethod(&w, "qApp_quit");
    QCOMPARE(readBytes(chapter), QByteArray("退出前写的正文"));
}

QTEST_MAIN(TstAutosave)
#include "tst_autosave.moc"
