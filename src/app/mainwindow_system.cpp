#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/messages.h"
#include "app/platform/desktopservices.h"

void MainWindow::shutDown_slot()
{
    if (!Messages::confirm(tr("确定要关机吗?")))
        return;
    saveSessionState();
    Platform::services().requestPower(DesktopServices::PowerAction::PowerOff);
}

void MainWindow::reBoot_slot()
{
    if (!Messages::confirm(tr("确定要重启吗?")))
        return;
    saveSessionState();
    Platform::services().requestPower(DesktopServices::PowerAction::Reboot);
}

void MainWindow::about_slot() { Messages::information(tr("版本:v20170113")); }

void MainWindow::myShortCutSlot()
{
    if (isHidden()) {
        show();
        raise();
        activateWindow();
        setGeometry(savedGeometry);
        return;
    }
    // Without a tray, close() is the orderly quit; the hotkey only ever hides.
    if (trayIcon && trayIcon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable())
        close();
    else
        hide();
}
