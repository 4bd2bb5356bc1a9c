#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::on_lock_clicked() {}
void MainWindow::lock_slot(bool start, qint8 kind, const QString& amount)
{
    Q_UNUSED(start);
    Q_UNUSED(kind);
    Q_UNUSED(amount);
}
void MainWindow::timer_timeLock_slot() {}
void MainWindow::timer_wordLock_slot() {}
