#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/menuentry.h"
#include "app/platform/desktopservices.h"
#include "settings/config.h"

#include <QMenu>
#include <QSettings>

// The title bar's menu: key sounds, the computer's power, about and quit.
void MainWindow::createMainMenu()
{
    mainMenu = new QMenu(this);
    keySoundAction = addEntry(mainMenu, tr("按键声音"), this, this, &MainWindow::keySound_slot);
    keySoundAction->setCheckable(true);
    const bool keySound = settings->value(Config::KeySound).toBool();
    keySoundAction->setChecked(keySound);
    Platform::services().setKeySoundEnabled(keySound);
    QMenu* computer = mainMenu->addMenu(tr("操作电脑"));
    addEntry(computer, tr("关机"), this, this, &MainWindow::shutDown_slot);
    addEntry(computer, tr("重启"), this, this, &MainWindow::reBoot_slot);
    addSearchEntry(mainMenu);
    addEntry(mainMenu, tr("关于"), this, this, &MainWindow::about_slot);
    menuQuitAction = addEntry(mainMenu, tr("退出"), this, this, &MainWindow::qApp_quit);
    ui->btnMenu->setMenu(mainMenu);
}

void MainWindow::keySound_slot(bool checked) { Platform::services().setKeySoundEnabled(checked); }
