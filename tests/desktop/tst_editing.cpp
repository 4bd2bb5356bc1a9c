#include "apprunner.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QThread>
#include <QtTest>

#include <signal.h>

// The real program in a fresh application directory: the author types into the starter
// chapter and the text must reach data/我的书籍/默认书名[1]/默认分卷[1]/默认章节[1].txt. The
// window is 800 x 705 at start; the editor fills the right half below the icon row and the
// catalog's first row (the book) lies just below the icon row on the left.
class TstEditing : public QObject
{
    Q_OBJECT
private slots:
    void typedTextIsSavedWhenAnotherItemOpens();
    void endOfSessionSavesTheOpenText();
};

namespace {

const QString kChapter = QStringLiteral("data/我的书籍/默认书名[1]/默认分卷[1]/默认章节[1].txt");
const QByteArray kStarter = QByteArrayLiteral("默认章节[1]\n\n");

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void clickAt(const QString& window, int x, int y)
{
    runTool("xdotool", {"mousemove", "--window", window, QString::number(x), QString::number(y),
                        "click", "1"});
}

// Clicks below the starter text, which puts the cursor on its empty last line, and types.
void typeIntoEditor(const QString& window, const QString& text)
{
    runTool("xdotool", {"windowraise", window});
    clickAt(window, 600, 400);
    QThread::msleep(300);
    runTool("xdotool", {"type", "--delay", "40", text});
}

bool waitForBytes(const QString& path, const QByteArray& bytes, int timeoutMs = 5000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (fileBytes(path) == bytes)
            return true;
        QThread::msleep(100);
    }
    return false;
}

} // namespace

void TstEditing::typedTextIsSavedWhenAnotherItemOpens()
{
    AppRunner app;
    QVERIFY(app.isValid());
    QProcess* p = app.start();
    const QString window = app.waitForWindow();
    QVERIFY(!window.isEmpty());
    QVERIFY(waitForBytes(app.file(kChapter), kStarter));

    typeIntoEditor(window, "hello 你好 Lorvane");
    // Nothing is written while the author types (the autosave tick is three minutes away).
    QThread::msleep(500);
    QCOMPARE(fileBytes(app.file(kChapter)), kStarter);

    clickAt(window, 200, 110);
    QVERIFY2(waitForBytes(app.file(kChapter), kStarter + QByteArray("hello 你好 Lorvane")),
             fileBytes(app.file(kChapter)).constData());
    QCOMPARE(p->state(), QProcess::Running);
    // The book's own text opened in its place and was not touched.
    QCOMPARE(fileBytes(app.file("data/我的书籍/默认书名[1]/index.txt")), QByteArray());
}

void TstEditing::endOfSessionSavesTheOpenText()
{
    AppRunner app;
    QVERIFY(app.isValid());
    QProcess* p = app.start();
    const QString window = app.waitForWindow();
    QVERIFY(!window.isEmpty());
    QVERIFY(waitForBytes(app.file(kChapter), kStarter));

    typeIntoEditor(window, "logout");
    QThread::msleep(300);
    // What a session logout sends: the program ends in its orderly way and saves.
    ::kill(pid_t(p->processId()), SIGTERM);
    QVERIFY(p->waitForFinished(10000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    QCOMPARE(fileBytes(app.file(kChapter)), kStarter + QByteArray("logout"));
    QSettings ini(app.file("config.ini"), QSettings::IniFormat);
    ini.setIniCodec("utf-8");
    QCOMPARE(ini.value("curThemeOption/cur_open_chapter").toString(), app.file(kChapter));
}

QTEST_GUILESS_MAIN(TstEditing)
#include "tst_editing.moc"
