// The writing lock in the main window with the recording desktop services: what the lock
// window starts, what holds the locked window and what ends the lock, and a lock cut short
// given back at the next start. Nothing here reaches the real desktop.
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "lock/dialog_lock.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

// Counts the keys a locked desktop swallows that still reach a widget.
struct KeyCounter : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        const int k = e->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(e)->key() : 0;
        count += k == Qt::Key_Escape || k == Qt::Key_Tab || k == Qt::Key_Backtab ||
                 k == Qt::Key_F4 || k == Qt::Key_Super_L;
        return false;
    }
};

// What the author sees of the lock after one more Esc in the editor, and whether each way
// out of the window is open: the quit entry, full screen, the title-bar buttons and both
// lock buttons.
QString lockState(MainWindow& w, KeyCounter& keys)
{
    const FakeDesktopServices& s = fakeServices();
    QString ways;
    for (QAction* a : w.findChild<QPushButton*>("btnMenu")->menu()->actions())
        ways += a->text() == "退出" ? QString::number(a->isVisible()) : "";
    for (const char* name : {"fullScreen", "btnMenu_Close", "btnMenu_Max", "btnMenu_Min"})
        ways += QString::number(w.findChild<QWidget*>(name)->isEnabled());
    for (const char* name : {"lock", "lock1"})
        ways += QString::number(!w.findChild<QWidget*>(name)->isHidden());
    QTest::keyClick(w.findChild<QTextEdit*>("textEdit"), Qt::Key_Escape);
    return QStringList{w.isVisible() && w.isFullScreen() ? "full screen" : "normal",
                       s.systemLocked() ? "desktop locked" : "desktop free",
                       s.grabHeld ? "keyboard grabbed" : "keyboard free",
                       s.calls.filter("task").mid(s.calls.filter("task").size() - 2).join(' '),
                       "ways out " + ways,
                       QString("F8 %1").arg(s.liveShortcuts),
                       QString("keys at the editor %1").arg(keys.count)}
        .join(", ");
}

} // namespace

class TstWritingLock : public QObject
{
    Q_OBJECT
private slots:
    void lockWindowStartsGoalsInRange();
    void lockHoldsTheWindowUntilItsGoal_data();
    void lockHoldsTheWindowUntilItsGoal();
    void lockCutShortIsRepairedAtTheNextStart();
};

// Through the lock window: 字 and 分钟 pick the goal kind, "yes" and "no" are clicked,
// "enter" is Return in the number field or on the named control, the rest is typed; then the
// field, its unit, and the lock that runs.
void TstWritingLock::lockWindowStartsGoalsInRange()
{
    const std::pair<const char*, const char*> rows[] = {
        {"字 123456 enter", "12345 字: characters"}, // five digits at most
        {"分钟 2a0-015 yes", "2001 分钟: no lock"},  // digits only, and 2000 is the top
        {"分钟 -1 yes", "1 分钟: minutes 1"},
        {"分钟 2000 yes", "2000 分钟: minutes 2000"},
        {"字 20000 yes", "20000 字: characters"},
        {"字 20001 yes", "20001 字: no lock"},
        // Typed as characters and kept as minutes: 35792 would overflow an int of ms.
        {"字 35792 分钟 yes", "35792 分钟: no lock"},
        {"字 enter", " 字: open"},
        {"分钟 30 字 no", "30 字: no lock"},
        {"字 300 enter:no", "300 字: no lock"},
        {"分钟 30 enter:yes", "30 分钟: minutes 30"},
        {"字 300 enter:time_lock", "300 分钟: open"},
    };
    for (const auto& [steps, expected] : rows) {
        TestAppDir app;
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* lock = w.findChild<QToolButton*>("lock");
        lock->click();
        auto* dialog = w.findChild<Dialog_Lock*>();
        auto* edit = dialog->findChild<QLineEdit*>("lineEdit");
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        for (const QString& step : QString(steps).split(' ')) {
            if (step == "字" || step == "分钟") {
                const char* kind = step == "字" ? "number_lock" : "time_lock";
                QTest::mouseClick(dialog->findChild<QRadioButton*>(kind), Qt::LeftButton);
            } else if (step == "yes" || step == "no") {
                QTest::mouseClick(dialog->findChild<QPushButton*>(step), Qt::LeftButton);
            } else if (step.startsWith("enter")) {
                QWidget* target = step == "enter" ? edit : dialog->findChild<QWidget*>(step.mid(6));
                target->setFocus();
                QTest::keyClick(target, Qt::Key_Return);
            } else {
                QTest::keyClicks(edit, step);
            }
        }
        const auto* timer = w.findChild<QTimer*>("timeLockTimer");
        QString result = dialog->isVisible() ? "open"
                         : !w.isFullScreen() ? "no lock"
                         : timer->isActive()
                             ? "minutes " + QString::number(timer->interval() / 60000.0)
                             : "characters";
        if (lock->isEnabled() == dialog->isVisible() ||
            fakeServices().systemLocked() != w.isFullScreen())
            result += ", but the lock button or the desktop disagrees";
        const QString unit = dialog->findChild<QLabel*>("label")->text();
        QCOMPARE(QString(steps) + " → " + edit->text() + ' ' + unit + ": " + result,
                 QString(steps) + " → " + expected);
    }
}

void TstWritingLock::lockHoldsTheWindowUntilItsGoal_data()
{
    // "chars N" and "minutes N" start a lock, "tick" is the once-a-second count of a character
    // lock. Closing, minimising and dragging a locked window are tried by the desktop and the
    // wiring tests; the counting of characters by the rules' test.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("sounds");
    QTest::newRow("Esc, Alt+Tab, Alt+F4 and Super are swallowed")
        << QStringList{"chars 30", "keys"} << true << 0;
    QTest::newRow("hidden or under a popup, it comes back with the keyboard")
        << QStringList{"minutes 10", "hide", "popup"} << true << 0;
    QTest::newRow("a goal of 0 ends at the first tick")
        << QStringList{"chars 0", "tick"} << false << 1;
    QTest::newRow("a lock's timer ends no later lock")
        << QStringList{"chars 0", "tick", "minutes 10", "wait"} << true << 1;
    QTest::newRow("0 minutes end as soon as the timer runs")
        << QStringList{"minutes 0"} << false << 1;
}

void TstWritingLock::lockHoldsTheWindowUntilItsGoal()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, locked);
    QFETCH(int, sounds);
    TestAppDir app;
    // Where the window must hold the keyboard itself (X11), a first grab may fail.
    fakeServices().windowGrabNeeded = true;
    fakeServices().grabRefusalsLeft = 3;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* editor = w.findChild<QTextEdit*>("textEdit");
    KeyCounter keys;
    editor->installEventFilter(&keys);
    for (const QString& step : steps) {
        const QString arg = step.section(' ', 1);
        if (step.startsWith("chars") || step.startsWith("minutes")) {
            callSlot(&w, "lock_slot", true, qint8(step.startsWith("chars") ? 1 : 2), arg);
        } else if (step == "keys") {
            for (QWidget* target : {static_cast<QWidget*>(editor), static_cast<QWidget*>(&w)}) {
                QTest::keyClick(target, Qt::Key_Escape);
                QTest::keyClick(target, Qt::Key_Escape, Qt::ControlModifier | Qt::ShiftModifier);
                QTest::keyClick(target, Qt::Key_F4, Qt::AltModifier);
                QTest::keyClick(target, Qt::Key_Tab, Qt::AltModifier);
                QTest::keyClick(target, Qt::Key_Backtab, Qt::AltModifier | Qt::ShiftModifier);
                QTest::keyClick(target, Qt::Key_Super_L);
            }
        } else if (step == "hide") {
            // The window system took the window away, and the keyboard grab with it.
            w.hide();
            fakeServices().grabHeld = false;
            QTRY_VERIFY(w.isVisible() && w.isFullScreen() && fakeServices().grabHeld);
        } else if (step == "popup") {
            QMenu menu;
            menu.addAction("x");
            menu.popup(w.geometry().center());
            QTRY_VERIFY(menu.isVisible());
            fakeServices().grabHeld = false; // the popup holds the keyboard while it shows
            menu.close();
            QTRY_VERIFY(fakeServices().grabHeld);
        } else if (step == "tick") {
            callSlot(&w, "timer_wordLock_slot");
        } else {
            QCOMPARE(step, QString("wait"));
            QTest::qWait(1100);
        }
    }
    QTRY_VERIFY(w.isFullScreen() == locked && fakeServices().grabHeld == locked);
    QCOMPARE(lockState(w, keys),
             locked ? "full screen, desktop locked, keyboard grabbed, taskmgr:off taskbar:hide, "
                      "ways out 0000000, F8 0, keys at the editor 0"
                    : "normal, desktop free, keyboard free, taskmgr:on taskbar:show, "
                      "ways out 1111111, F8 1, keys at the editor 1");
    QCOMPARE(fakeSounds().played, QStringList(QVector<QString>(sounds, "lock.wav").toList()));
    QVERIFY(w.findChild<QToolButton*>("lock")->isEnabled());
}

void TstWritingLock::lockCutShortIsRepairedAtTheNextStart()
{
    TestAppDir app;
    {
        MainWindow w;
        w.show();
        callSlot(&w, "lock_slot", true, qint8(2), QString("30"));
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
        callSlot(&w, "lock_slot", true, qint8(2), QString("0"));
        QTRY_VERIFY(!w.isFullScreen());
    }
    MainWindow w;
    QCOMPARE(fakeServices().calls.count("lock:repair"), 1);
}

QTEST_MAIN(TstWritingLock)
#include "tst_writinglock.moc"
