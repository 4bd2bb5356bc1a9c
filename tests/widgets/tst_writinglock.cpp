// A writing lock in the main window with the recording desktop services: the window shut
// from the start of a lock to its goal, the desktop measures taken and given back, and a lock
// cut short given back at the next start. Nothing here reaches the real desktop.
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "lock/dialog_lock.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

// The lock button, the goal kind, the number, Enter: as the author starts a lock.
void startLock(MainWindow& w, const char* kind, const QString& value)
{
    w.findChild<QToolButton*>("lock")->click();
    auto* dialog = w.findChild<Dialog_Lock*>();
    dialog->findChild<QRadioButton*>(kind)->click();
    auto* edit = dialog->findChild<QLineEdit*>("lineEdit");
    edit->clear();
    QTest::keyClicks(edit, value);
    QTest::keyClick(edit, Qt::Key_Return);
}

void tick(MainWindow& w) { callSlot(&w, "timer_wordLock_slot"); }

void drag(QWidget* w, const QPoint& from, const QPoint& by)
{
    const QPoint g = w->mapToGlobal(from);
    QMouseEvent press(QEvent::MouseButtonPress, from, g, Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent move(QEvent::MouseMove, from + by, g + by, Qt::NoButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, from + by, g + by, Qt::LeftButton, {}, {});
    for (QMouseEvent* e : {&press, &move, &release})
        QApplication::sendEvent(w, e);
}

// What a locked window must refuse, as its state: the quit entry, the title-bar buttons and
// the full-screen button.
QList<bool> waysOut(MainWindow& w)
{
    QList<bool> open;
    for (QAction* a : w.findChild<QPushButton*>("btnMenu")->menu()->actions())
        if (a->text() == "退出")
            open << a->isVisible();
    for (const char* name : {"fullScreen", "btnMenu_Close", "btnMenu_Max", "btnMenu_Min"})
        open << w.findChild<QWidget*>(name)->isEnabled();
    return open;
}

struct EscapeCounter : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        const bool escape =
            e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape;
        count += escape;
        return false;
    }
};

} // namespace

class TstWritingLock : public QObject
{
    Q_OBJECT
private slots:
    void characterLockHoldsTheWindowUntilItsGoal();
    void eachLockEndsWithTheSound();
    void keyboardGrabIsRetriedAndTheWindowComesBack();
    void lockCutShortIsRepairedAtTheNextStart();
    void onlyGoalsInTheFieldsRangeLock_data();
    void onlyGoalsInTheFieldsRangeLock();
};

void TstWritingLock::characterLockHoldsTheWindowUntilItsGoal()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    auto* edit = w.findChild<QTextEdit*>("textEdit");
    QVERIFY(edit->isEnabled()); // the starter chapter is open
    edit->setPlainText("已有的 文字\n第二行");
    EscapeCounter escapes;
    edit->installEventFilter(&escapes);
    fakeServices().calls.clear();

    auto* lock = w.findChild<QToolButton*>("lock");
    lock->click();
    QVERIFY(!lock->isEnabled());
    startLock(w, "number_lock", "30");

    QVERIFY(w.isFullScreen());
    QCOMPARE(fakeServices().calls, QStringList({"taskmgr:off", "taskbar:hide"}));
    QVERIFY(fakeServices().systemLocked());
    QVERIFY(lock->isHidden() && lock->isEnabled() && w.findChild<QWidget*>("lock1")->isHidden());
    QCOMPARE(waysOut(w), QList<bool>({false, false, false, false, false}));
    QCOMPARE(fakeServices().liveShortcuts, 0); // F8 unregistered

    // Neither Esc, a close request nor a drag leaves the window.
    for (QWidget* target : {static_cast<QWidget*>(edit), static_cast<QWidget*>(&w)}) {
        QTest::keyClick(target, Qt::Key_Escape, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(target, Qt::Key_F4, Qt::AltModifier);
    }
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!w.close());
    const QRect screen = w.geometry();
    drag(&w, QPoint(400, 300), QPoint(50, 30));
    QCOMPARE(escapes.count, 0);
    QVERIFY(!fakeServices().calls.contains("hook:remove")); // no quit either
    QVERIFY(w.isVisible() && w.isFullScreen());
    QCOMPARE(w.geometry(), screen);

    // 10 typed characters a tick count (Tab too), 25 at once count nothing: three ticks of 10.
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, "abcdefghi\t");
    tick(w);
    edit->insertPlainText("0123456789012345678901234");
    tick(w);
    QTest::keyClicks(edit, "klmno pqrst");
    tick(w);
    QVERIFY(w.isFullScreen());
    QVERIFY(fakeSounds().played.isEmpty());
    QTest::keyClicks(edit, "uvwxyzabcd");
    tick(w);

    QVERIFY(!w.isFullScreen());
    QVERIFY(!fakeServices().systemLocked());
    QCOMPARE(fakeServices().calls.mid(2, 2), QStringList({"taskmgr:on", "taskbar:show"}));
    QCOMPARE(fakeSounds().played, QStringList({"lock.wav"}));
    QVERIFY(lock->isVisible() && lock->isEnabled());
    QCOMPARE(waysOut(w), QList<bool>({true, true, true, true, true}));
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(escapes.count, 1);
    QCOMPARE(fakeServices().liveShortcuts, 1);
}

void TstWritingLock::eachLockEndsWithTheSound()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    w.findChild<QToolButton*>("lock")->click();
    w.findChild<Dialog_Lock*>()->findChild<QPushButton*>("no")->click();
    QVERIFY(w.findChild<QToolButton*>("lock")->isEnabled());
    QVERIFY(fakeServices().calls.filter("task").isEmpty());

    // A goal of 0 characters ends at the first tick, 0 minutes as soon as the timer runs.
    startLock(w, "number_lock", "0");
    QVERIFY(w.isFullScreen());
    tick(w);
    QVERIFY(!w.isFullScreen());
    startLock(w, "time_lock", "0");
    QVERIFY(w.isFullScreen());
    QTRY_VERIFY(!w.isFullScreen());
    QVERIFY(!fakeServices().systemLocked());
    // Stopped with their locks, no timer ends another one later.
    QTest::qWait(1100);
    QCOMPARE(fakeSounds().played, QStringList({"lock.wav", "lock.wav"}));
}

void TstWritingLock::keyboardGrabIsRetriedAndTheWindowComesBack()
{
    TestAppDir app;
    fakeServices().windowGrabNeeded = true;
    fakeServices().grabRefusalsLeft = 3;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    startLock(w, "time_lock", "10");
    QTRY_VERIFY(fakeServices().grabHeld);
    QCOMPARE(fakeServices().grabAttempts, 4);

    // Hidden by the window system, the window comes back full screen and takes the grab
    // again (the X server dropped it as the window went).
    w.hide();
    fakeServices().grabHeld = false;
    QTRY_VERIFY(w.isVisible() && w.isFullScreen() && fakeServices().grabHeld);

    // A popup takes the keyboard while open and drops it at its close.
    const int takes = fakeServices().calls.count("grab:take");
    QMenu menu;
    menu.addAction("x");
    menu.popup(w.geometry().center());
    QTRY_VERIFY(menu.isVisible());
    menu.close();
    QTRY_COMPARE(fakeServices().calls.count("grab:take"), takes + 1);

    callSlot(&w, "timer_timeLock_slot");
    QVERIFY(!fakeServices().grabHeld);
}

void TstWritingLock::lockCutShortIsRepairedAtTheNextStart()
{
    TestAppDir app;
    {
        MainWindow w;
        w.show();
        startLock(w, "time_lock", "30");
        // The program ends here without unlocking, as by a crash.
    }
    fakeServices().calls.clear();
    {
        MainWindow w;
    }
    QCOMPARE(fakeServices().calls.count("lock:repair"), 1);
    {
        // Repaired once; a lock that ended normally leaves nothing to repair either.
        MainWindow w;
        w.show();
        startLock(w, "time_lock", "0");
        QTRY_VERIFY(!w.isFullScreen());
    }
    MainWindow w;
    QCOMPARE(fakeServices().calls.count("lock:repair"), 1);
}

void TstWritingLock::onlyGoalsInTheFieldsRangeLock_data()
{
    QTest::addColumn<qint8>("kind"); // as the lock window sends it: 1 characters, 2 minutes
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("locks");
    // Five digits typed with 字 selected reach the slot unchanged once 分钟 is chosen.
    QTest::newRow("minutes: 35792 would overflow an int") << qint8(2) << "35792" << false;
    QTest::newRow("minutes: 99999") << qint8(2) << "99999" << false;
    QTest::newRow("minutes: 2001, above the field's top") << qint8(2) << "2001" << false;
    QTest::newRow("minutes: 2000, the top") << qint8(2) << "2000" << true;
    QTest::newRow("characters: 20001") << qint8(1) << "20001" << false;
    QTest::newRow("characters: 20000, the top") << qint8(1) << "20000" << true;
    QTest::newRow("minutes: negative") << qint8(2) << "-1" << false;
}

void TstWritingLock::onlyGoalsInTheFieldsRangeLock()
{
    QFETCH(qint8, kind);
    QFETCH(QString, amount);
    QFETCH(bool, locks);
    TestAppDir app;
    MainWindow w;
    w.show();
    callSlot(&w, "lock_slot", true, kind, amount);
    QCOMPARE(w.isFullScreen(), locks);
    QCOMPARE(fakeServices().systemLocked(), locks);
    QCOMPARE(waysOut(w).contains(true), !locks);
    // A running time lock is a running timer of exactly that many minutes.
    const auto* timer = w.findChild<QTimer*>("timeLockTimer");
    QCOMPARE(timer->isActive(), locks && kind == 2);
    if (timer->isActive())
        QCOMPARE(qint64(timer->interval()), amount.toLongLong() * 60000);
}

QTEST_MAIN(TstWritingLock)
#include "tst_writinglock.moc"
