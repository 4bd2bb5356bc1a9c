#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appdirs.h"
#include "app/messages.h"
#include "editor/openchapter.h"
#include "library/bookexport.h"
#include "library/bookimport.h"
#include "library/catalogitem.h"
#include "library/catalognames.h"
#include "library/catalogstore.h"
#include "library/filechooser.h"
#include "library/filecreate.h"
#include "library/imbook_probar.h"
#include "library/sqliteoper.h"
#include "library/textfile.h"

#include <QStandardItemModel>

void MainWindow::importBooks_slot()
{
    const QString source = FileChooser::importDirectory(this);
    if (source.isEmpty())
        return;
    switch (BookImport::check(source, AppDirs::libraryDir(),
                              Catalog::childNames(model->invisibleRootItem()))) {
    case BookImport::Refusal::NotADirectory:
        Messages::error(tr("不能打开文件!"));
        return;
    case BookImport::Refusal::IntoItself:
        Messages::error(tr("导入失败：不能导入书库本身或书库里的文件夹!"));
        return;
    case BookImport::Refusal::NameTaken:
        Messages::error(tr("导入失败：书库里已有同名的书!"));
        return;
    case BookImport::Refusal::None:
        break;
    }
    const QString name = BookImport::bookName(source);
    const QString dir = AppDirs::libraryPrefix() + name;
    const int id = SqliteOper::maxId() + 1;
    int files = 0;
    // The target did not exist, so a failed import removes only what it brought in.
    if (id < 1 || !FileCreate::copyRecursively(source, dir, &files)) {
        FileCreate::deleteDir(dir);
        Messages::error(tr("导入失败：书籍没能完整复制!"));
        return;
    }
    BookImport::lowerTxtEndings(dir);
    const QVector<BookImport::Volume> volumes = BookImport::readBook(dir);
    // The book and its volumes open their own text like created ones.
    FileCreate::createFile(dir + QStringLiteral("/index.txt"));
    for (const BookImport::Volume& volume : volumes)
        FileCreate::createFile(dir + QLatin1Char('/') + volume.name + QStringLiteral("/index.txt"));

    showBookProgress(files);
    if (!indexImportedBook(id, name, dir, volumes, [this, files](int chapters) {
            bookProgress->setValue(qMin(chapters, files));
        }))
        return;
    const QStringList unindexed = BookImport::unindexedFiles(dir, volumes);
    if (!unindexed.isEmpty())
        Messages::information(BookImport::unindexedMessage(unindexed));
}

bool MainWindow::indexImportedBook(int id, const QString& name, const QString& dir,
                                   const QVector<BookImport::Volume>& volumes,
                                   const std::function<void(int)>& progress)
{
    const bool indexed = CatalogStore::insertImportedBook(
        id, name, dir, CatalogNames::nextSort(SqliteOper::maxSort(0)), volumes, progress);
    endBookProgress();
    if (!indexed) {
        FileCreate::deleteDir(dir);
        Messages::error(tr("导入失败：书库无法写入!"));
        return false;
    }
    model->clear();
    loadCatalog();
    return true;
}

void MainWindow::exportBooks_slot()
{
    const QModelIndex book = ui->treeView->currentIndex();
    if (Catalog::kindOf(book) != Catalog::Book)
        return;
    const QString target = FileChooser::exportFile(this, book.data().toString() + ".txt");
    if (target.isEmpty())
        return;
    // An export placed in the library could take the place of a chapter file.
    if (Catalog::liesWithin(target, AppDirs::libraryDir())) {
        Messages::error(tr("导出失败：请选择书库以外的位置!"));
        return;
    }
    openChapter->save();
    QVector<BookExport::Chapter> chapters;
    for (int v = 0; v < model->rowCount(book); ++v) {
        const QModelIndex volume = model->index(v, 0, book);
        for (int c = 0; c < model->rowCount(volume); ++c) {
            const QModelIndex chapter = model->index(c, 0, volume);
            chapters.append({volume.data().toString(), chapter.data().toString()});
        }
    }
    QString text;
    const bool complete = BookExport::assemble(itemPath(book), chapters, &text);
    // What could be read is written even when a chapter could not.
    if (!TextFile::writeAtomic(target, text) || !complete)
        Messages::error(tr("不能打开文件!"));
}
