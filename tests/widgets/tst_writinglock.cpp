// A writing lock in the main window with the recording desktop services: the window shut
// from the start of a lock to its goal, the desktop measures taken and given back, and a lock
// cut short given back at the next start. Nothing here reaches the real desktop.
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "lock/dialog_lock.h"

#include <QLineEdit>
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

namespace {

// Starts a lock the way the user does: the lock button, the goal kind, the number, Enter.
void startLock(MainWindow& w, const char* kind, const QString& value)
{
    w.findChild<QToolButton*>("lock")->click();
    auto* dialog = w.findChild<Dialog_Lock*>();
    QVERIFY(dialog && dialog->isVisible());
    dialog->findChild<QRadioButton*>(kind)->click();
    auto* edit = dialog->findChild<QLineEdit*>("lineEdit");
    edit->clear();
    QTest::keyClicks(edit, value);
    QTest::keyClick(edit, Qt::Key_Return);
}

void tick(MainWindow& w) { QMetaObject::invokeMethod(&w, "timer_wordLock_slot"); }

// The editor with the starter chapter that a first start opens.
QTextEdit* openEditor(MainWindow& w)
{
    auto* edit = w.findChild<QTextEdit*>("textEdit");
    return edit->isEnabled() ? edit : nullptr;
}

// A drag as the window receives it: press, move by `delta`, release.
void drag(QWidget* w, const QPoint& from, const QPoint& delta)
{
    const QPoint global = w->mapToGlobal(from);
    QMouseEvent press(QEvent::MouseButtonPress, from, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent move(QEvent::MouseMove, from + delta, global + delta, Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, from + delta, global + delta, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

QAction* quitEntry(MainWindow& w)
{
    for (QAction* a : w.findChild<QPushButton*>("btnMenu")->menu()->actions())
        if (a->text() == "退出")
            return a;
    return nullptr;
}

QList<QWidget*> waysOut(MainWindow& w)
{
    QList<QWidget*> buttons;
    for (const char* name : {"fullScreen", "btnMenu_Close", "btnMenu_Max", "btnMenu_Min"})
        buttons << w.findChild<QWidget*>(name);
    return buttons;
}

// Counts the Escape presses that reach a widget.
class EscapeCounter : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
            ++count;
        return false;
    }
};

} // namespace

class TstWritingLock : public QObject
{
    Q_OBJECT
private slots:
    void cancellingGivesTheLockButtonBack();
    void characterLockShutsTheWindowUntilItsGoal();
    void escapeAndCloseDoNotLeaveALock();
    void locksInARowEachEndWithTheSound();
    void windowAndKeyboardGrabAreTakenBack();
    void lockCutShortIsRepairedAtTheNextStart();
};

void TstWritingLock::cancellingGivesTheLockButtonBack()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    auto* lock = w.findChild<QToolButton*>("lock");
    lock->click();
    QVERIFY(!lock->isEnabled());
    auto* dialog = w.findChild<Dialog_Lock*>();
    QVERIFY(dialog->isWindow());
    // The author types the number at once, once the window system activates the dialog.
    dialog->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), dialog);
    QCOMPARE(QApplication::focusWidget(), dialog->findChild<QLineEdit*>("lineEdit"));
    dialog->findChild<QPushButton*>("no")->click();
    QVERIFY(lock->isEnabled());
    QVERIFY(!w.isFullScreen());
    QVERIFY(fakeServices().calls.filter("task").isEmpty());
}

void TstWritingLock::characterLockShutsTheWindowUntilItsGoal()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    QTextEdit* edit = openEditor(w);
    QVERIFY(edit);
    edit->setPlainText("已有的 文字\n第二行");
    fakeServices().calls.clear();

    startLock(w, "number_lock", "30");
    QVERIFY(w.isFullScreen());
    QCOMPARE(fakeServices().calls, QStringList({"taskmgr:off", "taskbar:hide"}));
    QVERIFY(fakeServices().systemLocked());
    QVERIFY(!w.findChild<Dialog_Lock*>()->isVisible());
    auto* lock = w.findChild<QToolButton*>("lock");
    QVERIFY(lock->isHidden() && lock->isEnabled());
    QVERIFY(w.findChild<QToolButton*>("lock1")->isHidden());
    for (QWidget* b : waysOut(w))
        QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
    QCOMPARE(fakeServices().liveShortcuts, 0); // F8 unregistered
    QVERIFY(!quitEntry(w)->isVisible());
    QVERIFY(QFileInfo::exists(app.file("lock.active")));
    const QRect screen = w.geometry();
    drag(&w, QPoint(400, 300), QPoint(50, 30));
    drag(&w, QPoint(w.width() - 3, 300), QPoint(-60, 0));
    QCOMPARE(w.geometry(), screen);

    // 10 typed characters a tick count, 25 at once count nothing: 10 + 10 + 10 end it.
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, "abcdefghij");
    tick(w);
    edit->insertPlainText("0123456789012345678901234");
    tick(w);
    QTest::keyClicks(edit, "klmno pqrst");
    tick(w);
    QVERIFY(w.isFullScreen());
    QVERIFY(fakeServices().systemLocked());
    QVERIFY(fakeSounds().played.isEmpty());
    QTest::keyClicks(edit, "uvwxyzabcd");
    tick(w);

    QVERIFY(!w.isFullScreen());
    QVERIFY(!fakeServices().systemLocked());
    QCOMPARE(fakeServices().calls.mid(2, 2), QStringList({"taskmgr:on", "taskbar:show"}));
    QCOMPARE(fakeSounds().played, QStringList({"lock.wav"}));
    QVERIFY(!QFileInfo::exists(app.file("lock.active")));
    QVERIFY(lock->isVisible() && lock->isEnabled());
    for (QWidget* b : waysOut(w))
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    QVERIFY(quitEntry(w)->isVisible());
    QVERIFY(fakeServices().grabAttempts == 0); // the recording desktop drops keys itself

    // The window can be dragged and resized again.
    w.setGeometry(100, 80, 900, 705);
    drag(&w, QPoint(400, 300), QPoint(50, 30));
    QCOMPARE(w.geometry(), QRect(150, 110, 900, 705));
    drag(&w, QPoint(w.width() - 3, 300), QPoint(60, 0));
    QCOMPARE(w.geometry(), QRect(150, 110, 960, 705));

    // F8 is registered again and hides the window.
    QCOMPARE(fakeServices().liveShortcuts, 1);
    QCOMPARE(fakeServices().lastShortcut->key, QKeySequence("F8"));
    emit fakeServices().lastShortcut->activated();
    QVERIFY(w.isHidden());
}

void TstWritingLock::escapeAndCloseDoNotLeaveALock()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    QTextEdit* edit = openEditor(w);
    QVERIFY(edit);
    EscapeCounter escapes;
    edit->installEventFilter(&escapes);
    startLock(w, "number_lock", "5");

    QTest::keyClick(edit, Qt::Key_Escape);
    QTest::keyClick(edit, Qt::Key_Escape, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&w, Qt::Key_Escape);
    QTest::keyClick(edit, Qt::Key_F4, Qt::AltModifier);
    QTest::keyClick(edit, Qt::Key_Super_L);
    QCOMPARE(escapes.count, 0);
    QVERIFY(!w.close());
    QVERIFY(!fakeServices().calls.contains("hook:remove")); // no quit either
    QTest::mouseClick(w.findChild<QWidget*>("fullScreen"), Qt::LeftButton);
    QTest::mouseDClick(w.findChild<QWidget*>("widget_title"), Qt::LeftButton);
    QVERIFY(w.isVisible());
    QVERIFY(w.isFullScreen());
    QCOMPARE(fakeServices().calls.filter("power").size(), 0);

    // Ordinary keys still reach the editor, Tab without Alt included.
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, "ab");
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY2(edit->toPlainText().endsWith("ab\t"), qPrintable(edit->toPlainText()));
    tick(w);
    QTest::keyClicks(edit, "cd");
    tick(w);
    QVERIFY(!w.isFullScreen());

    // Unlocked, Escape reaches the editor again.
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(escapes.count, 1);
}

void TstWritingLock::locksInARowEachEndWithTheSound()
{
    TestAppDir app;
    MainWindow w;
    w.show();

    // A goal of 0 characters ends at the first tick, not before.
    startLock(w, "number_lock", "0");
    QVERIFY(w.isFullScreen());
    tick(w);
    QVERIFY(!w.isFullScreen());
    QCOMPARE(fakeSounds().played, QStringList({"lock.wav"}));

    // 0 minutes end as soon as the time lock's timer runs.
    startLock(w, "time_lock", "0");
    QVERIFY(w.isFullScreen());
    QVERIFY(fakeServices().systemLocked());
    QTRY_VERIFY(!w.isFullScreen());
    QVERIFY(!fakeServices().systemLocked());
    QCOMPARE(fakeSounds().played, QStringList({"lock.wav", "lock.wav"}));
    QCOMPARE(fakeServices().liveShortcuts, 1);
    // The character lock's timer stopped with its lock: no later tick ends it again.
    QTest::qWait(1100);
    QCOMPARE(fakeSounds().played.size(), 2);
}

void TstWritingLock::windowAndKeyboardGrabAreTakenBack()
{
    TestAppDir app;
    fakeServices().windowGrabNeeded = true;
    fakeServices().grabRefusalsLeft = 3;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(fakeServices().grabAttempts, 0);
    startLock(w, "time_lock", "10");

    QTRY_VERIFY(fakeServices().grabHeld);
    QCOMPARE(fakeServices().grabAttempts, 4);

    // Hidden or minimised by the window system, the window comes back full screen at once
    // and takes the grab again (the X server dropped it as the window went).
    w.hide();
    fakeServices().grabHeld = false;
    QTRY_VERIFY(w.isVisible() && w.isFullScreen());
    QTRY_VERIFY(fakeServices().grabHeld);
    w.showMinimized();
    QTRY_VERIFY(!w.isMinimized() && w.isFullScreen());

    // A popup takes the keyboard while open and drops it at its close.
    const int takes = fakeServices().calls.count("grab:take");
    QMenu menu;
    menu.addAction("x");
    menu.popup(w.geometry().center());
    QTRY_VERIFY(menu.isVisible());
    menu.close();
    QTRY_COMPARE(fakeServices().calls.count("grab:take"), takes + 1);

    QMetaObject::invokeMethod(&w, "timer_timeLock_slot");
    QVERIFY(!fakeServices().grabHeld);
    QCOMPARE(fakeServices().calls.count("grab:release"), 1);
    // Unlocked, the window may go, and nothing holds the keyboard.
    const int attempts = fakeServices().grabAttempts;
    w.showMinimized();
    w.hide();
    QTest::qWait(3 * 50);
    QVERIFY(w.isHidden());
    w.show();
    QTest::qWait(3 * 50);
    QCOMPARE(fakeServices().grabAttempts, attempts);
}

void TstWritingLock::lockCutShortIsRepairedAtTheNextStart()
{
    TestAppDir app;
    {
        MainWindow w;
        w.show();
        startLock(w, "time_lock", "30");
        QVERIFY(w.isFullScreen());
        // The program ends here without unlocking, as by a crash.
    }
    QVERIFY(QFileInfo::exists(app.file("lock.active")));
    fakeServices().calls.clear();
    {
        MainWindow w;
        QCOMPARE(fakeServices().calls.count("lock:repair"), 1);
        QVERIFY(!QFileInfo::exists(app.file("lock.active")));
    }
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

QTEST_MAIN(TstWritingLock)
#include "tst_writinglock.moc"
