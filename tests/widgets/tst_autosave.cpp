#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"

#include <QDir>
#include <QTextEdit>
#include <QtTest>

// Data safety: the autosave writes the backup before it rewrites the chapter; the case checks
// the chapter's bytes, the copy's name and bytes. An emptied editor and a chapter removed
// behind the program's back are the random-operation test's.
class TstAutosave : public QObject
{
    Q_OBJECT
private slots:
    void ticksKeepAVersionHistoryWhileModified();
};

namespace {

const QString kChapter = QStringLiteral("data/我的书籍/书/卷/甲.txt");

QStringList backups(const TestAppDir& app)
{
    return QDir(app.file("bak")).entryList(QDir::Files, QDir::Name);
}

void tick(MainWindow& w) { callSlot(&w, "timer_save_slot"); }

void open(MainWindow& w) { callSlot(&w, "on_treeView_clicked", indexOf(w, "书/卷/甲")); }

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
    const QStringList copies = backups(app);
    QCOMPARE(copies.size(), 1);
    QVERIFY2(QRegularExpression("^书_卷_甲_\\d{13}\\.txt$").match(copies[0]).hasMatch(),
             qPrintable(copies[0]));
    QCOMPARE(readBytes(app.file("bak/" + copies[0])), QByteArray("第一句。正文"));

    // Saving does not clear the modified state: the next tick leaves another copy.
    QTest::qWait(5);
    tick(w);
    QCOMPARE(backups(app).size(), 2);
    QVERIFY(app.messages.isEmpty());
}

QTEST_MAIN(TstAutosave)
#include "tst_autosave.moc"
