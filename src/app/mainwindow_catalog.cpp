#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appdirs.h"
#include "app/atooltipper.h"
#include "app/messages.h"
#include "editor/openchapter.h"
#include "library/catalogitem.h"
#include "library/catalogpaths.h"
#include "library/catalogstore.h"
#include "library/sqliteoper.h"
#include "lock/writinglock.h"

#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStandardItemModel>

void MainWindow::initCatalogTree()
{
    ui->treeView->setModel(model);
    ui->treeView->header()->hide();
    connect(model, &QStandardItemModel::dataChanged, this, &MainWindow::rename_slot);
    ui->treeView->setContextMenuPolicy(Qt::CustomContextMenu);

    if (SqliteOper::liveCount() == 0) {
        // First start, or every item deleted: a starter book, volume and chapter, the
        // chapter open in the editor. Their rows land in one transaction: one by one, each
        // would wait for the disk several times, and that wait made most of a first start.
        const bool batched = db.transaction();
        newBooks_slot();
        ui->treeView->setCurrentIndex(model->index(0, 0));
        newVolume_slot();
        ui->treeView->setCurrentIndex(model->index(0, 0, model->index(0, 0)));
        newChapter_slot();
        if (batched && !db.commit())
            Messages::error(tr("新建失败：书库无法写入!"));
        ui->treeView->expandAll();
    } else {
        // Expands as it loads: a second pass over a large library cost a few milliseconds.
        loadCatalog();
    }
    createMenus();

    ui->treeView->setTextElideMode(Qt::ElideNone);
    ui->treeView->resizeColumnToContents(0);
    ui->treeView->viewport()->installEventFilter(new AToolTipper(this));
}

void MainWindow::loadCatalog()
{
    // Whole books at a time: a row-by-row fill would lay the view out again for every one of
    // a hundred thousand chapters. (Inserting a list of rows would leave the grandchildren
    // without their model, so they could not report a rename.)
    for (QStandardItem* book : Catalog::makeItems(CatalogStore::readCatalog()))
        model->appendRow(book);
    ui->treeView->expandAll();
    ui->textEdit->setEnabled(false);
}

QString MainWindow::itemPath(const QModelIndex& index) const
{
    return Catalog::itemPath(index, AppDirs::libraryPrefix());
}

bool MainWindow::loadFileToEditor(const QString& path)
{
    const OpenChapter::Opened opened = openChapter->open(path);
    if (opened == OpenChapter::Opened::Unreadable)
        Messages::error(tr("不能打开文件!"));
    if (opened != OpenChapter::Opened::Yes)
        return false;
    // The opening puts the cursor at the start right after this, so the size is applied
    // without the trip to the end of the text, which would lay out the whole chapter.
    applyWholeTextSize(ui->font_size->currentText());
    return true;
}

void MainWindow::on_treeView_clicked(const QModelIndex& index)
{
    openChapter->save();
    // Credited once: an opening that fails below leaves this text in the editor.
    writingLock->credit(editorCharCount());

    // An item whose file is missing or unreadable changes nothing, so the next save cannot
    // put this text into that other file.
    const QString file = Catalog::itemFile(index, AppDirs::libraryPrefix());
    if (file.isEmpty() || !loadFileToEditor(file))
        return;
    statusPathLabel->setText(Catalog::statusPath(file, AppDirs::libraryPrefix()));
    ui->label_chapterTitle->setText(index.data().toString());
    ui->textEdit->setEnabled(true);
    // The margins without their cursor trip to the last paragraph: the cursor goes to the
    // start next, and the trip would lay out the whole chapter first.
    setParagraphMargins();
    QTextCursor cursor = ui->textEdit->textCursor();
    cursor.movePosition(QTextCursor::Start);
    ui->textEdit->setTextCursor(cursor);
    ui->textEdit->setFocus(Qt::MouseFocusReason);
    // Applying the margins walks the cursor to the last paragraph and back; the title and
    // the count show that walk as a cursor movement, for a one-paragraph item as well.
    on_textEdit_cursorPositionChanged();
    writingLock->rebase(editorCharCount());
}

void MainWindow::on_treeView_doubleClicked(const QModelIndex& index)
{
    oldItemName = index.data().toString();
}

void MainWindow::on_treeView_customContextMenuRequested(const QPoint& pos)
{
    const QModelIndex index = ui->treeView->indexAt(pos);
    QMenu* menu = blankMenu;
    if (index.isValid()) {
        const Catalog::Kind kind = Catalog::kindOf(index);
        menu = kind == Catalog::Book      ? bookMenu
               : kind == Catalog::Volume  ? volumeMenu
               : kind == Catalog::Chapter ? chapterMenu
                                          : nullptr;
    }
    if (menu)
        menu->exec(QCursor::pos());
}

void MainWindow::on_catalog_clicked(bool checked) { ui->widget_tree->setVisible(!checked); }

void MainWindow::on_catalog1_clicked()
{
    ui->catalog->setChecked(!ui->catalog->isChecked());
    on_catalog_clicked(ui->catalog->isChecked());
}
