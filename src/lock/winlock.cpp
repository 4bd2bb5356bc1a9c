#include "lock/winlock.h"

#include "app/appdirs.h"
#include "app/logcategories.h"
#include "app/platform/desktopservices.h"
#include "app/platform/soundplayer.h"
#include "lock/lockedwindowguard.h"

#include <QDebug>
#include <QFile>

WinLock::WinLock(QWidget* parent) : QMainWindow(parent)
{
    guard = new LockedWindowGuard(parent, this);
    repairInterruptedLock();
}

void WinLock::lockDesktop()
{
    // Marked before anything changes, so that whatever ends the program from here on is
    // repaired at its next start.
    QFile mark(AppDirs::lockMarkPath());
    if (!mark.open(QIODevice::WriteOnly))
        qCWarning(lcLock).noquote() << "Cannot mark the writing lock in" << mark.fileName();
    mark.close();

    setTaskMgrDisabled(true);
    Platform::services().setTaskbarVisible(false);
    Platform::services().setSystemLocked(true);
    guard->start();
}

void WinLock::unlockDesktop()
{
    setTaskMgrDisabled(false);
    Platform::services().setTaskbarVisible(true);
    Platform::services().setSystemLocked(false);
    guard->stop();
    QFile::remove(AppDirs::lockMarkPath());
    Sounds::play(QStringLiteral("lock.wav"));
}

void WinLock::setTaskMgrDisabled(bool disable) { Platform::services().setTaskMgrDisabled(disable); }

void WinLock::repairInterruptedLock()
{
    if (!QFile::exists(AppDirs::lockMarkPath()))
        return;
    qCDebug(lcLock) << "A writing lock was cut short: giving the desktop back";
    Platform::services().repairInterruptedLock();
    QFile::remove(AppDirs::lockMarkPath());
}
