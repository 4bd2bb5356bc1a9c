#pragma once

#include <QMainWindow>

class LockedWindowGuard;

// The desktop-level measures of a writing lock, taken and undone through the desktop
// services: the taskbar hidden, the Task Manager switched off, the system's escape keys
// swallowed (by the hook, and on X11 by a keyboard grab on the locked window, the parent,
// which is also brought back whenever the window system minimises it).
// Every unlock plays "lock.wav". A lock that ended without unlocking (a crash, a power cut)
// is noticed by its mark in the application directory and undone when the next one is made.
// Never shown.
class WinLock : public QMainWindow
{
    Q_OBJECT
public:
    explicit WinLock(QWidget* parent = nullptr);

    void lockDesktop();
    void unlockDesktop();

private:
    void setTaskMgrDisabled(bool disable);
    void repairInterruptedLock();

    LockedWindowGuard* guard = nullptr;
};
