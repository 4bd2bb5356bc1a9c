// Start, quit and the system actions of the main window, with the recording desktop services:
// nothing here can reach the real machine.
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "app/messages.h"
#include "settings/config.h"

#include <QtTest>
#include <QtWidgets>

class TstMainWindowShell : public QObject
{
    Q_OBJECT
private slots:
    void quitSavesTheSession_data();
    void quitSavesTheSession();
    void unopenableDatabaseStopsStartUp_data();
    void unopenableDatabaseStopsStartUp();
    void powerActionsAskThenSaveThenRequest_data();
    void powerActionsAskThenSaveThenRequest();
};

namespace {

std::unique_ptr<QSettings> config(const TestAppDir& app)
{
    return std::unique_ptr<QSettings>(Config::open(app.file("config.ini")));
}

// A window whose last session left `chapter` open.
void rememberOpen(const TestAppDir& app, const QString& chapter)
{
    {
        MainWindow first;
        config(app)->setValue(Config::CurOpenChapter, chapter);
    }
    writeBytes(chapter, "原文");
}

} // namespace

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
    rememberOpen(app, chapter);
    config(app)->setValue(Config::KeySound, true);
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.findChild<QTextEdit*>("textEdit")->toPlainText().isEmpty());
    QMenu* menu = w.findChild<QPushButton*>("btnMenu")->menu();
    QAction* keySound = menuEntry(menu, "按键声音");
    QVERIFY(keySound->isChecked() && fakeServices().keySound && fakeServices().hookInstalled);
    keySound->trigger();
    QVERIFY(!fakeServices().keySound);
    if (viaMenu) {
        menuEntry(menu, "退出")->trigger();
    } else {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        w.close();
    }
    // The session is remembered, though its chapter was not opened this time.
    QCOMPARE(config(app)->value(Config::CurOpenChapter).toString(), chapter);
    QCOMPARE(config(app)->value(Config::KeySound).toBool(), false);
    QVERIFY(!fakeServices().hookInstalled);
}

void TstMainWindowShell::unopenableDatabaseStopsStartUp_data()
{
    QTest::addColumn<QByteArray>("bytes"); // of sys.db
    QTest::newRow("a text file") << QByteArray("第一章\n\n这不是书库，是一章正文。\n").repeated(20);
}

void TstMainWindowShell::unopenableDatabaseStopsStartUp()
{
    QFETCH(QByteArray, bytes);
    TestAppDir app;
    writeBytes(app.file("sys.db"), bytes);
    MainWindow w;
    QVERIFY(!w.isInitialised());
    QCOMPARE(app.messages.size(), 1);
    QVERIFY(app.messages[0].first == Messages::Error && app.messages[0].second.contains("sys.db"));
    QCOMPARE(readBytes(app.file("sys.db")), bytes);
    QVERIFY(!fakeServices().hookInstalled);
}

void TstMainWindowShell::powerActionsAskThenSaveThenRequest_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("request");
    const QString off = "确定要关机吗?";
    const QString reboot = "确定要重启吗?";
    QTest::newRow("shutdown confirmed") << "shutDown_slot" << off << 1 << "power:off";
    QTest::newRow("shutdown cancelled") << "shutDown_slot" << off << 0 << "";
    QTest::newRow("restart confirmed") << "reBoot_slot" << reboot << 1 << "power:reboot";
}

// The open text and the session are saved before the system is asked to end the program.
void TstMainWindowShell::powerActionsAskThenSaveThenRequest()
{
    QFETCH(QString, slot);
    QFETCH(QString, question);
    QFETCH(int, answer);
    QFETCH(QString, request);
    TestAppDir app;
    const QString chapter = app.file("data/我的书籍/书/卷/第一章.txt");
    rememberOpen(app, chapter);
    MainWindow w;
    const QString typed = "　　新写的一段，还没有自动保存。";
    w.findChild<QTextEdit*>("textEdit")->setPlainText(typed);

    QStringList whenAsked;
    fakeServices().onPower = [&](DesktopServices::PowerAction) {
        whenAsked << QString::fromUtf8(readBytes(chapter))
                  << config(app)->value(Config::CurOpenChapter).toString()
                  << config(app)->value(Config::KeySound).toString();
    };
    app.questionAnswer = answer;
    fakeServices().calls.clear();
    callSlot(&w, qPrintable(slot));

    const bool confirmed = !request.isEmpty();
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{Messages::Question, question}}));
    QCOMPARE(fakeServices().calls, confirmed ? QStringList{request} : QStringList());
    QCOMPARE(whenAsked, confirmed ? QStringList({typed, chapter, "false"}) : QStringList());
    QCOMPARE(readBytes(chapter), confirmed ? typed.toUtf8() : QByteArray("原文"));
}

QTEST_MAIN(TstMainWindowShell)
#include "tst_mainwindow_shell.moc"
