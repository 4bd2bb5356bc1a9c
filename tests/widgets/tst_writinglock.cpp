// The writing lock in the main window with the recording desktop services: the lock window,
// what holds the window while locked, and what ends the lock and gives the window back.
#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "lock/dialog_lock.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// "locked" when every way out is shut, "free" when every one is open, else the shut ones.
// Esc and closing (only tried on a full-screen window: closing is otherwise the orderly quit)
// and a drag come last, as they would change the window.
QString lockState(MainWindow& w)
{
    const FakeDesktopServices& s = fakeServices();
    const QStringList task = s.calls.filter("task");
    QList<QPair<QString, bool>> shut = {{"full screen", w.isFullScreen()},
                                        {"desktop locked", s.systemLocked()},
                                        {"keyboard grabbed", s.grabHeld},
                                        {"taskbar hidden", task.endsWith("taskbar:hide")},
                                        {"no F8", s.liveShortcuts == 0}};
    for (QAction* a : w.findChild<QPushButton*>("btnMenu")->menu()->actions())
        if (a->text() == "退出")
            shut.append({"no quit", !a->isVisible()});
    for (const char* name :
         {"fullScreen", "btnMenu_Close", "btnMenu_Max", "btnMenu_Min", "lock", "lock1"}) {
        auto* b = w.findChild<QWidget*>(name);
        shut.append({QString("no ") + name, !b->isEnabled() || b->isHidden()});
    }
    if (w.isFullScreen()) {
        QTest::keyClick(editorOf(w), Qt::Key_Escape);
        shut.append({"Esc and close refused", w.isFullScreen() && !w.close() && w.isVisible()});
    }
    const QPoint before = w.pos(), from(400, 300), by(40, 30), g = w.mapToGlobal(from);
    QMouseEvent press(QEvent::MouseButtonPress, from, g, Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent move(QEvent::MouseMove, from + by, g + by, Qt::NoButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, from + by, g + by, Qt::LeftButton, {}, {});
    for (QMouseEvent* e : {&press, &move, &release})
        QApplication::sendEvent(&w, e);
    shut.append({"no drag", w.pos() == before});
    QStringList shown;
    for (const auto& [way, isShut] : shut)
        shown << (isShut ? way : QString());
    shown.removeAll(QString());
    return shown.isEmpty() ? "free" : shown.size() == shut.size() ? "locked" : shown.join(", ");
}

} // namespace

class TstWritingLock : public QObject
{
    Q_OBJECT
private slots:
    void lockRunsUntilItsGoal();
};

// Steps: "lock" opens the lock window, 字 and 分钟 pick the goal kind, "yes" clicks 确定,
// "enter" is Return in the number field or (enter:name) on that control, other text is typed
// into the field; "+text" is typed into the editor, 甲 and 乙 open those chapters (each holds
// 甲乙), "tick" is the character lock's once-a-second count. Then the field, its unit, and
// the window; the unlock sounds.
void TstWritingLock::lockRunsUntilItsGoal()
{
    const std::pair<const char*, const char*> rows[] = {
        {"lock 分钟 2a0-015 yes", "2001 分钟: free, 0"},   // digits only, and 2000 is the top
        {"lock 字 35792 分钟 yes", "35792 分钟: free, 0"}, // its ms would overflow an int
        {"lock 字 20000 enter", "20000 字: locked by characters, 0"},
        {"lock 300 enter:no", "300 字: free, 0"},
        {"lock 分钟 30 enter:yes", "30 分钟: locked 30 min, 0"},
        {"lock 300 enter:time_lock", "300 分钟: open"},
        {"lock 分钟 0 yes", "0 分钟: free, 1"},
        // Leaving a chapter credits all typed in it since the last count, without a limit.
        {"lock 12 yes +abcdefgh 乙 +xyzw tick", "12 字: free, 1"},
        {"lock 12 yes +abcdefgh 乙 +xyz tick", "12 字: locked by characters, 0"},
        {"lock 12 yes +abcdefgh 乙 甲 乙 甲 tick", "12 字: locked by characters, 0"},
    };
    for (const auto& [steps, expected] : rows) {
        TestAppDir app;
        seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, "甲乙");
        // Where the window must hold the keyboard itself (X11), a first grab may fail.
        fakeServices().windowGrabNeeded = true;
        fakeServices().grabRefusalsLeft = 3;
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        clickItem(w, "书/卷/甲");
        Dialog_Lock* dialog = nullptr;
        QLineEdit* edit = nullptr;
        for (const QString& step : QString(steps).split(' ')) {
            if (step == "lock") {
                w.findChild<QToolButton*>("lock")->click();
                dialog = w.findChild<Dialog_Lock*>();
                edit = dialog->findChild<QLineEdit*>("lineEdit");
                QTRY_COMPARE(QApplication::focusWidget(), edit);
            } else if (step == "字" || step == "分钟") {
                const char* kind = step == "字" ? "number_lock" : "time_lock";
                QTest::mouseClick(dialog->findChild<QRadioButton*>(kind), Qt::LeftButton);
            } else if (step == "yes") {
                QTest::mouseClick(dialog->findChild<QPushButton*>(step), Qt::LeftButton);
            } else if (step.startsWith("enter")) {
                QWidget* target = step == "enter" ? edit : dialog->findChild<QWidget*>(step.mid(6));
                target->setFocus();
                QTest::keyClick(target, Qt::Key_Return);
            } else if (step == "tick") {
                callSlot(&w, "timer_wordLock_slot");
            } else if (step == "甲" || step == "乙") {
                clickItem(w, "书/卷/" + step);
            } else if (step.startsWith('+')) {
                editorOf(w)->moveCursor(QTextCursor::End);
                typeText(editorOf(w), step.mid(1));
            } else {
                QTest::keyClicks(edit, step);
            }
        }
        QTRY_COMPARE(fakeServices().grabHeld, w.isFullScreen());
        const auto* timer = w.findChild<QTimer*>("timeLockTimer");
        QString state = dialog->isVisible() ? "open" : lockState(w);
        if (state == "locked")
            state += timer->isActive() ? QString(" %1 min").arg(timer->interval() / 60000)
                                       : " by characters";
        if (state != "open")
            state += ", " + QString::number(fakeSounds().played.count("lock.wav"));
        const QString unit = dialog->findChild<QLabel*>("label")->text();
        QCOMPARE(QString(steps) + " → " + edit->text() + ' ' + unit + ": " + state,
                 QString(steps) + " → " + expected);
    }
}

QTEST_MAIN(TstWritingLock)
#include "tst_writinglock.moc"
