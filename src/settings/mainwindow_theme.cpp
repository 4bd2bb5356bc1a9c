#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::on_settings_clicked() {}
void MainWindow::save_success_update() {}
void MainWindow::applyEditorMargins() {}
