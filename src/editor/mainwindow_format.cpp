#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::on_textEdit_customContextMenuRequested(const QPoint& pos) { Q_UNUSED(pos); }
void MainWindow::on_bold_clicked(bool checked) { Q_UNUSED(checked); }
void MainWindow::on_font_big_clicked() {}
void MainWindow::on_font_samll_clicked() {}
void MainWindow::on_left_justified_clicked() {}
void MainWindow::on_center_clicked() {}
void MainWindow::on_right_justified_clicked() {}
void MainWindow::on_undo_clicked() {}
void MainWindow::on_redo_clicked() {}
void MainWindow::clearFormat_slot() {}
void MainWindow::searchInBaidu_slot() {}
