#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QHeaderView>
#include <QStandardItemModel>

void MainWindow::initCatalogTree()
{
    ui->treeView->setModel(model);
    ui->treeView->header()->hide();
}

void MainWindow::createMenus() {}
void MainWindow::loadCatalog() {}
QString MainWindow::itemPath(const QModelIndex& index) const
{
    Q_UNUSED(index);
    return QString();
}
bool MainWindow::loadFileToEditor(const QString& path)
{
    Q_UNUSED(path);
    return false;
}

void MainWindow::on_treeView_clicked(const QModelIndex& index) { Q_UNUSED(index); }
void MainWindow::on_treeView_doubleClicked(const QModelIndex& index) { Q_UNUSED(index); }
void MainWindow::on_treeView_customContextMenuRequested(const QPoint& pos) { Q_UNUSED(pos); }
void MainWindow::rename_slot(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                             const QVector<int>& roles)
{
    Q_UNUSED(topLeft);
    Q_UNUSED(bottomRight);
    Q_UNUSED(roles);
}
void MainWindow::on_catalog_clicked(bool checked) { ui->widget_tree->setVisible(!checked); }
void MainWindow::on_catalog1_clicked()
{
    ui->catalog->setChecked(!ui->catalog->isChecked());
    on_catalog_clicked(ui->catalog->isChecked());
}
