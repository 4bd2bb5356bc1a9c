#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::newBooks_slot() {}
void MainWindow::newVolume_slot() {}
void MainWindow::newChapter_slot() {}
void MainWindow::new_Chapter_slot() {}
void MainWindow::insertChapter_slot() {}
void MainWindow::upChapter_slot() {}
void MainWindow::downChapter_slot() {}
void MainWindow::deleteBooks_slot() {}
void MainWindow::deleteChapter_slot() {}
void MainWindow::importBooks_slot() {}
void MainWindow::exportBooks_slot() {}
void MainWindow::recycle_slot() {}
void MainWindow::bak_slot() {}
void MainWindow::on_btn_recycle_clicked() { recycle_slot(); }
void MainWindow::on_btn_bak_clicked() { bak_slot(); }
