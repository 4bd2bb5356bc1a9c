#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::on_search_clicked() {}
void MainWindow::str_find_slot(const QString& text, qint8 code)
{
    Q_UNUSED(text);
    Q_UNUSED(code);
}
void MainWindow::str_replace_slot(const QString& text, bool all, bool caseSensitive)
{
    Q_UNUSED(text);
    Q_UNUSED(all);
    Q_UNUSED(caseSensitive);
}
