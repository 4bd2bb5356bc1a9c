#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::shutDown_slot() {}
void MainWindow::reBoot_slot() {}
void MainWindow::about_slot() {}
void MainWindow::myShortCutSlot() {}
