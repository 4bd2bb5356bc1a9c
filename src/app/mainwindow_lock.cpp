#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/dragproxy.h"
#include "app/platform/desktopservices.h"
#include "editor/charcount.h"
#include "editor/editortext.h"
#include "lock/dialog_lock.h"
#include "lock/writinglock.h"

#include <QAction>

void MainWindow::on_lock_clicked()
{
    if (!lockDialog) {
        auto* dialog = new Dialog_Lock;
        dialog->setParent(this, Qt::Dialog);
        connect(dialog, &Dialog_Lock::lock_signal, this, &MainWindow::lock_slot);
        lockDialog = dialog;
    }
    ui->lock->setEnabled(false);
    lockDialog->show();
}

void MainWindow::lock_slot(bool start, qint8 kind, const QString& amount)
{
    if (!start) {
        ui->lock->setEnabled(true);
        return;
    }
    if (!writingLock->start(kind, amount))
        return;
    showFullScreen();
    setLockMode(true);
}

void MainWindow::timer_timeLock_slot() { writingLock->timeUp(); }
void MainWindow::timer_wordLock_slot() { writingLock->countTick(); }

void MainWindow::setLockMode(bool locked)
{
    ui->lock->setVisible(!locked);
    ui->lock1->setVisible(!locked);
    if (locked) {
        showFullScreen();
        shortcut.reset();
    } else {
        showNormal();
        createShortcut();
    }
    setDragProxyEnabled(!locked);
    applyEditorMargins();
    menuQuitAction->setVisible(!locked);
    for (QWidget* button : std::initializer_list<QWidget*>{ui->fullScreen, ui->btnMenu_Close,
                                                           ui->btnMenu_Max, ui->btnMenu_Min})
        button->setEnabled(!locked);
}

// A locked window can be neither moved nor resized: its drag proxy goes with the lock and a
// new one comes with the unlock.
void MainWindow::setDragProxyEnabled(bool enabled)
{
    delete dragProxy;
    dragProxy = nullptr;
    if (!enabled)
        return;
    dragProxy = new DragProxy(this);
    dragProxy->setBorderWidth(8, 8, 8, 8);
}

int MainWindow::editorCharCount() const { return openChapterCount(); }
