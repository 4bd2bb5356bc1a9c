#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::on_browser_clicked() {}
