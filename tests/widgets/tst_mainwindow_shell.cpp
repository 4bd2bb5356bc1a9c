#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "settings/config.h"

#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

class TstMainWindowShell : public QObject
{
    Q_OBJECT
private slots:
    void formAtStart();
    void quitSavesTheSession_data();
    void quitSavesTheSession();
    void existingConfigIsNotUpgraded();
    void unopenableDatabaseStopsStartUp_data();
    void unopenableDatabaseStopsStartUp();
};

void TstMainWindowShell::formAtStart()
{
    TestAppDir app;
    MainWindow w;
    // Pasted formatting would be saved as markup in a plain-text chapter.
    QVERIFY(!w.findChild<QTextEdit*>("textEdit")->acceptRichText());

    // Second buttons click the first ones, so each action has one road.
    for (const auto& [from, to] : QList<QPair<const char*, const char*>>{
             {"lock1", "lock"}, {"toolButton", "browser"}, {"toolButton_5", "one_key"}}) {
        QSignalSpy spy(w.findChild<QToolButton*>(to), &QToolButton::clicked);
        w.findChild<QToolButton*>(from)->click();
        QVERIFY2(spy.count() == 1, from);
    }
}

void TstMainWindowShell::quitSavesTheSession_data()
{
    QTest::addColumn<bool>("viaMenu");
    QTest::newRow("menu entry 退出") << true;
    // The offscreen platform has no tray: closing is then the orderly quit.
    QTest::newRow("closing without a tray") << false;
}

void TstMainWindowShell::quitSavesTheSession()
{
    QFETCH(bool, viaMenu);
    TestAppDir app;
    const QString chapter = app.file("data/我的书籍/书/卷/章.txt");
    {
        MainWindow first;
        writeBytes(chapter, "原文");
        std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
        s->setValue(Config::CurOpenChapter, chapter);
        s->setValue(Config::KeySound, true);
    }
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.findChild<QTextEdit*>("textEdit")->toPlainText().isEmpty());
    QMenu* menu = w.findChild<QPushButton*>("btnMenu")->menu();
    QAction* keySound = menu->actions().value(0);
    QVERIFY(keySound->isChecked() && fakeServices().keySound && fakeServices().hookInstalled);
    keySound->trigger();
    QVERIFY(!fakeServices().keySound);
    if (viaMenu) {
        menu->actions()[3]->trigger();
    } else {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        w.close();
    }
    // The chapter that was never opened keeps its text; the session is remembered.
    QCOMPARE(readBytes(chapter), QByteArray("原文"));
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    QCOMPARE(s->value(Config::CurOpenChapter).toString(), chapter);
    QCOMPARE(s->value(Config::KeySound).toBool(), false);
    QVERIFY(!fakeServices().hookInstalled);
}

void TstMainWindowShell::existingConfigIsNotUpgraded()
{
    TestAppDir app;
    writeBytes(app.file("config.ini"), "[chapterOption]\nprice=70\n");
    MainWindow w;
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    QCOMPARE(s->allKeys(), QStringList{"chapterOption/price"});
}

void TstMainWindowShell::unopenableDatabaseStopsStartUp_data()
{
    QTest::addColumn<QByteArray>("bytes"); // of sys.db; null: a directory in its place
    QTest::newRow("a directory") << QByteArray();
    QTest::newRow("a text file") << QByteArray("第一章\n\n这不是书库，是一章正文。\n").repeated(20);
}

void TstMainWindowShell::unopenableDatabaseStopsStartUp()
{
    QFETCH(QByteArray, bytes);
    TestAppDir app;
    if (bytes.isNull())
        QDir().mkdir(app.file("sys.db"));
    else
        writeBytes(app.file("sys.db"), bytes);
    MainWindow w;
    QVERIFY(!w.isInitialised());
    QCOMPARE(app.messages.size(), 1);
    QVERIFY(app.messages[0].first == 2 && app.messages[0].second.contains("sys.db"));
    if (!bytes.isNull())
        QCOMPARE(readBytes(app.file("sys.db")), bytes);
    QVERIFY(!fakeServices().hookInstalled);
}

QTEST_MAIN(TstMainWindowShell)
#include "tst_mainwindow_shell.moc"
