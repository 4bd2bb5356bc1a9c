#include "apprunner.h"
#include "support/testsupport.h"

#include <QtTest>

#include <signal.h>

// The real program in a fresh application directory, typed into with xdotool. The window is
// 800 x 705 at start; the editor fills the window right of the narrow catalog column.
class TstEditing : public QObject
{
    Q_OBJECT
private slots:
    void typedTextIsSavedAtSessionEnd();
};

namespace {

// Clicks below the text, which puts the cursor on its last line, and types.
void typeIntoEditor(const QString& window, const QString& text)
{
    runTool("xdotool", {"windowraise", window});
    runTool("xdotool", {"mousemove", "--window", window, "600", "400", "click", "1"});
    QTest::qWait(300);
    runTool("xdotool", {"type", "--delay", "40", text});
}

} // namespace

// Saving on opening another item is the package test's; here the end of a session saves.
void TstEditing::typedTextIsSavedAtSessionEnd()
{
    AppRunner app;
    QVERIFY(app.isValid());
    QProcess* p = app.start();
    const QString window = app.waitForWindow();
    QVERIFY(!window.isEmpty());
    const QString chapter = app.file("data/我的书籍/默认书名[1]/默认分卷[1]/默认章节[1].txt");
    const QByteArray starter = "默认章节[1]\n\n";
    QTRY_COMPARE_WITH_TIMEOUT(readBytes(chapter), starter, 5000);

    typeIntoEditor(window, "hello 你好 Lorvane");
    // Nothing is written while the author types (the autosave tick is three minutes away). A
    // session logout ends the program in its orderly way, and that saves.
    QTest::qWait(500);
    QCOMPARE(readBytes(chapter), starter);
    ::kill(pid_t(p->processId()), SIGTERM);
    QVERIFY(p->waitForFinished(10000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    QCOMPARE(readBytes(chapter), starter + "hello 你好 Lorvane");
}

QTEST_GUILESS_MAIN(TstEditing)
#include "tst_editing.moc"
