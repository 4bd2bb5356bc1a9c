#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::on_font_size_currentIndexChanged(const QString& size) { Q_UNUSED(size); }
void MainWindow::on_font_currentFontChanged(const QFont& font) { Q_UNUSED(font); }
