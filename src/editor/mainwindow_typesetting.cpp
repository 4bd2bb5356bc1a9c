#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::on_one_key_clicked() {}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    return QMainWindow::eventFilter(watched, event);
}
