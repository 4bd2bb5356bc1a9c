#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appdirs.h"
#include "app/messages.h"
#include "editor/openchapter.h"
#include "library/catalogitem.h"
#include "library/catalognames.h"
#include "library/catalogstore.h"
#include "library/filecreate.h"
#include "library/sqliteoper.h"

#include <QStandardItemModel>

// New items are numbered as their siblings' sorts and chapter counts say, but never take a
// name that a sibling shows or that exists on disk (a user may have renamed an item to a
// default name): the next free number is used instead, so no chapter is overwritten and no
// two items share a directory. A row the table refuses is not shown either, so nothing is
// written into a file that a restart would no longer list.

void MainWindow::newBooks_slot()
{
    const QString library = AppDirs::libraryPrefix();
    const int id = SqliteOper::maxId() + 1;
    const int sort = CatalogNames::nextSort(SqliteOper::maxSort(0));
    const int number = CatalogNames::freeNumber(sort, CatalogNames::bookName, library, QString(),
                                                Catalog::childNames(model->invisibleRootItem()));
    const QString name = CatalogNames::bookName(number);
    const QString dir = library + name;
    if (number < 0 || !CatalogStore::insertItem(id, name, dir, Catalog::Book, 0, sort)) {
        Messages::error(tr("新建失败：书库无法写入!"));
        return;
    }
    FileCreate::createDir(dir);
    FileCreate::createFile(dir + QStringLiteral("/index.txt"));
    model->appendRow(Catalog::makeItem(Catalog::Book, name, id));
}

void MainWindow::newVolume_slot()
{
    const QModelIndex book = ui->treeView->currentIndex();
    if (Catalog::kindOf(book) != Catalog::Book)
        return;
    QStandardItem* bookItem = model->itemFromIndex(book);
    const int bookId = book.data(Catalog::ItemIdRole).toInt();
    const QString bookDir = itemPath(book) + QLatin1Char('/');
    const int id = SqliteOper::maxId() + 1;
    const int sort = CatalogNames::nextSort(SqliteOper::maxSort(bookId));
    const int number = CatalogNames::freeNumber(sort, CatalogNames::volumeName, bookDir, QString(),
                                                Catalog::childNames(bookItem));
    const QString name = CatalogNames::volumeName(number);
    const QString dir = bookDir + name;
    if (number < 0 || !CatalogStore::insertItem(id, name, dir, Catalog::Volume, bookId, sort)) {
        Messages::error(tr("新建失败：书库无法写入!"));
        return;
    }
    FileCreate::createDir(dir);
    FileCreate::createFile(dir + QStringLiteral("/index.txt"));
    bookItem->appendRow(Catalog::makeItem(Catalog::Volume, name, id));

    const QModelIndex added = model->index(bookItem->rowCount() - 1, 0, book);
    ui->treeView->setCurrentIndex(added);
    on_treeView_clicked(added);
}

void MainWindow::newChapter_slot()
{
    const QModelIndex volume = ui->treeView->currentIndex();
    if (Catalog::kindOf(volume) != Catalog::Volume)
        return;
    const int volumeId = volume.data(Catalog::ItemIdRole).toInt();
    addChapter(volume, model->rowCount(volume),
               CatalogNames::nextSort(SqliteOper::maxSort(volumeId)));
}

void MainWindow::new_Chapter_slot()
{
    const QModelIndex volume = ui->treeView->currentIndex().parent();
    if (!volume.isValid())
        return;
    ui->treeView->setCurrentIndex(volume);
    newChapter_slot();
}

void MainWindow::insertChapter_slot()
{
    const QModelIndex chapter = ui->treeView->currentIndex();
    if (Catalog::kindOf(chapter) != Catalog::Chapter ||
        Catalog::kindOf(chapter.parent()) != Catalog::Volume)
        return;
    const int id = chapter.data(Catalog::ItemIdRole).toInt();
    const int before = chapter.row() > 0
                           ? chapter.sibling(chapter.row() - 1, 0).data(Catalog::ItemIdRole).toInt()
                           : id;
    addChapter(chapter.parent(), chapter.row(),
               CatalogNames::insertSort(CatalogStore::sortsOf(id, before)));
}

void MainWindow::addChapter(const QModelIndex& volume, int row, double sort)
{
    QStandardItem* volumeItem = model->itemFromIndex(volume);
    const int volumeId = volume.data(Catalog::ItemIdRole).toInt();
    const QString volumeDir = itemPath(volume) + QLatin1Char('/');
    const int id = SqliteOper::maxId() + 1;
    // Deleted chapters count, so numbers are not handed out twice.
    const int number = CatalogNames::freeNumber(
        SqliteOper::childCount(volumeId) + 1, CatalogNames::chapterName, volumeDir,
        QStringLiteral(".txt"), Catalog::childNames(volumeItem));
    const QString name = CatalogNames::chapterName(number);
    const QString path = volumeDir + name;
    if (number < 0 || !CatalogStore::insertItem(id, name, path, Catalog::Chapter, volumeId, sort)) {
        Messages::error(tr("新建失败：书库无法写入!"));
        return;
    }
    const QString file = path + QStringLiteral(".txt");
    FileCreate::createFile(file);
    FileCreate::saveFile(file, CatalogNames::chapterStarterText(number));
    volumeItem->insertRow(row, Catalog::makeItem(Catalog::Chapter, name, id));

    ui->treeView->expand(volume);
    const QModelIndex added = model->index(row, 0, volume);
    ui->treeView->setCurrentIndex(added);
    on_treeView_clicked(added);
}

void MainWindow::upChapter_slot() { moveChapter(-1); }
void MainWindow::downChapter_slot() { moveChapter(1); }

void MainWindow::moveChapter(int step)
{
    const QModelIndex current = ui->treeView->currentIndex();
    const QModelIndex neighbour = current.sibling(current.row() + step, 0);
    if (Catalog::kindOf(current) != Catalog::Chapter || !neighbour.isValid())
        return;
    // Files stay where they are; only the order changes. The open text is on disk before
    // the rows trade places, whichever of the two is open.
    openChapter->save();
    const int id = current.data(Catalog::ItemIdRole).toInt();
    const int otherId = neighbour.data(Catalog::ItemIdRole).toInt();
    if (!CatalogStore::swapSorts(id, otherId)) {
        Messages::error(tr("移动失败：书库无法写入!"));
        return;
    }
    QStandardItem* item = model->itemFromIndex(current);
    QStandardItem* other = model->itemFromIndex(neighbour);
    const QString name = item->text();
    disconnect(model, &QStandardItemModel::dataChanged, this, &MainWindow::rename_slot);
    item->setText(other->text());
    item->setData(otherId, Catalog::ItemIdRole);
    other->setText(name);
    other->setData(id, Catalog::ItemIdRole);
    connect(model, &QStandardItemModel::dataChanged, this, &MainWindow::rename_slot);

    ui->treeView->setCurrentIndex(current);
    on_treeView_clicked(current);
}
