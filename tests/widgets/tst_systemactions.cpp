// Shutdown, restart and about from the title-bar menu, and the F8 hotkey's toggle, with the
// recording desktop services: nothing here can reach the real machine.
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "settings/config.h"

#include <QSettings>
#include <QTextEdit>
#include <QtTest>

class TstSystemActions : public QObject
{
    Q_OBJECT
private slots:
    void powerActionsAskThenSaveThenRequest_data();
    void powerActionsAskThenSaveThenRequest();
    void aboutShowsTheVersion();
    void hotkeyHidesAndRestoresWithoutQuitting();
};

void TstSystemActions::powerActionsAskThenSaveThenRequest_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("request");
    const QString off = "确定要关机吗?", reboot = "确定要重启吗?";
    QTest::newRow("shutdown confirmed") << "shutDown_slot" << off << 1 << "power:off";
    QTest::newRow("shutdown cancelled") << "shutDown_slot" << off << 0 << "";
    QTest::newRow("restart confirmed") << "reBoot_slot" << reboot << 1 << "power:reboot";
    QTest::newRow("restart cancelled") << "reBoot_slot" << reboot << 0 << "";
}

// Saving before the system ends the program: the text goes through the atomic file save
// (a cut-off write leaves the old file whole), only into the open chapter's own file (its
// sibling keeps its bytes), deletes nothing, and keeps the Chinese text byte for byte.
void TstSystemActions::powerActionsAskThenSaveThenRequest()
{
    QFETCH(QString, slot);
    QFETCH(QString, question);
    QFETCH(int, answer);
    QFETCH(QString, request);
    TestAppDir app;
    const QString chapter = app.file("data/我的书籍/书/卷/第一章.txt");
    const QString sibling = app.file("data/我的书籍/书/卷/第二章.txt");
    {
        MainWindow first;
        std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
        s->setValue(Config::CurOpenChapter, chapter);
    }
    writeBytes(chapter, "旧的文字");
    writeBytes(sibling, "另一章");
    MainWindow w;
    const QString typed = QString::fromUtf8("　　新写的一段，还没有自动保存。");
    w.findChild<QTextEdit*>("textEdit")->setPlainText(typed);

    QByteArray chapterWhenAsked;
    QVariant pathWhenAsked, keySoundWhenAsked;
    fakeServices().onPower = [&](DesktopServices::PowerAction) {
        chapterWhenAsked = readBytes(chapter);
        std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
        pathWhenAsked = s->value(Config::CurOpenChapter);
        keySoundWhenAsked = s->value(Config::KeySound);
    };
    app.questionAnswer = answer;
    fakeServices().calls.clear();
    QVERIFY(QMetaObject::invokeMethod(&w, slot.toLatin1().constData()));

    QCOMPARE(app.messages.size(), 1);
    QCOMPARE(app.messages[0], qMakePair(int(1), question));
    QCOMPARE(readBytes(sibling), QByteArray("另一章"));
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    if (request.isEmpty()) {
        QCOMPARE(fakeServices().calls, QStringList());
        QCOMPARE(readBytes(chapter), QByteArray("旧的文字"));
        QVERIFY(!s->contains(Config::KeySound));
        return;
    }
    QCOMPARE(fakeServices().calls, QStringList{request});
    QCOMPARE(chapterWhenAsked, typed.toUtf8());
    QCOMPARE(pathWhenAsked.toString(), chapter);
    QVERIFY(keySoundWhenAsked.isValid());
    QVERIFY(!keySoundWhenAsked.toBool());
    // The program itself goes on until the system ends it (or refuses to).
    QVERIFY(fakeServices().hookInstalled);
}

void TstSystemActions::aboutShowsTheVersion()
{
    TestAppDir app;
    MainWindow w;
    fakeServices().calls.clear();
    QVERIFY(QMetaObject::invokeMethod(&w, "about_slot"));
    QCOMPARE(app.messages.size(), 1);
    QCOMPARE(app.messages[0], qMakePair(int(0), QString("版本:v20170113")));
    QCOMPARE(fakeServices().calls, QStringList());
}

void TstSystemActions::hotkeyHidesAndRestoresWithoutQuitting()
{
    TestAppDir app;
    MainWindow w;
    const QRect saved = w.geometry();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.move(saved.topLeft() + QPoint(150, 90));
    QVERIFY(fakeServices().lastShortcut);

    // The offscreen desktop has no tray, where closing would be the orderly quit.
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
    emit fakeServices().lastShortcut->activated();
    QVERIFY(w.isHidden());
    QVERIFY(fakeServices().hookInstalled);
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    QVERIFY(!s->contains(Config::KeySound));

    emit fakeServices().lastShortcut->activated();
    QVERIFY(w.isVisible());
    QCOMPARE(w.geometry(), saved);
    emit fakeServices().lastShortcut->activated();
    QVERIFY(w.isHidden());
}

QTEST_MAIN(TstSystemActions)
#include "tst_systemactions.moc"
