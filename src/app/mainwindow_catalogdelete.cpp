#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appdirs.h"
#include "app/messages.h"
#include "editor/openchapter.h"
#include "library/catalogpaths.h"
#include "library/catalogstore.h"
#include "library/filecreate.h"
#include "library/imbook_probar.h"
#include "library/recyclebin.h"

#include <QDateTime>
#include <QFile>
#include <QStandardItemModel>

// A delete first puts the text into the recycle bin, with the open text saved into it, and
// touches the library and the table only once that copy is complete. When the table then
// refuses, the library keeps its copy and the bin's duplicate goes again. A deleted open
// chapter is forgotten, so its text never lands in a file that later takes its path.

void MainWindow::deleteBooks_slot()
{
    const QModelIndex book = ui->treeView->currentIndex();
    if (Catalog::kindOf(book) != Catalog::Book)
        return;
    openChapter->save();
    const QString dir = itemPath(book);
    const QString bin = AppDirs::recycleDir();
    QString copy;
    int files = 0;
    if (!RecycleBin::keepBook(dir, bin, book.data().toString(), QDateTime::currentMSecsSinceEpoch(),
                              &copy, &files)) {
        Messages::error(tr("删除失败：不能放入回收站，这本书原样保留!"));
        return;
    }
    showBookProgress(files);
    const bool marked = CatalogStore::markBookDeleted(
        book.data(Catalog::ItemIdRole).toInt(),
        [this, files](int chapters) { bookProgress->setValue(qMin(chapters, files)); });
    if (!marked) {
        endBookProgress();
        RecycleBin::discardCopy(copy, bin);
        Messages::error(tr("删除失败：书库无法写入，这本书原样保留!"));
        return;
    }
    FileCreate::deleteDir(dir);
    openChapter->forgetDeleted(dir);
    bookProgress->setValue(files);
    endBookProgress();
    model->clear();
    loadCatalog();
}

void MainWindow::deleteChapter_slot()
{
    const QModelIndex chapter = ui->treeView->currentIndex();
    if (Catalog::kindOf(chapter) != Catalog::Chapter)
        return;
    openChapter->save();
    const QString file = itemPath(chapter) + QStringLiteral(".txt");
    const QString bin = AppDirs::recycleDir();
    QString copy;
    if (!RecycleBin::keepChapter(file, bin, chapter.parent().parent().data().toString(),
                                 chapter.parent().data().toString(), chapter.data().toString(),
                                 QDateTime::currentMSecsSinceEpoch(), &copy)) {
        Messages::error(tr("删除失败：不能放入回收站，这一章原样保留!"));
        return;
    }
    if (!CatalogStore::markDeleted(chapter.data(Catalog::ItemIdRole).toInt())) {
        RecycleBin::discardCopy(copy, bin);
        Messages::error(tr("删除失败：书库无法写入，这一章原样保留!"));
        return;
    }
    QFile::remove(file);
    openChapter->forgetDeleted(file);
    // The view makes the next chapter current, or the one before, or the volume.
    model->removeRow(chapter.row(), chapter.parent());
    on_treeView_clicked(ui->treeView->currentIndex());
}

void MainWindow::showBookProgress(int maximum)
{
    bookProgress = new ImBook_ProBar(this);
    bookProgress->setMaximum(maximum);
    bookProgress->show();
}

void MainWindow::endBookProgress()
{
    bookProgress->hide();
    delete bookProgress;
    bookProgress = nullptr;
}
