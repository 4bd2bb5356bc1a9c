#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QPaintEvent>

void MainWindow::applyIconGlyphs() {}

void MainWindow::systemTrayActivated_slot(QSystemTrayIcon::ActivationReason reason)
{
    Q_UNUSED(reason);
}

void MainWindow::on_btnMenu_Min_clicked() { showMinimized(); }

void MainWindow::on_btnMenu_Max_clicked(bool checked) { Q_UNUSED(checked); }

void MainWindow::on_fullScreen_clicked() {}

void MainWindow::on_fullScreen1_clicked() { on_fullScreen_clicked(); }

void MainWindow::paintEvent(QPaintEvent* event) { QMainWindow::paintEvent(event); }
