#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appdirs.h"
#include "app/messages.h"
#include "editor/editortext.h"
#include "editor/openchapter.h"
#include "library/catalognames.h"
#include "library/catalogpaths.h"
#include "library/catalogstore.h"

#include <QLabel>
#include <QStandardItemModel>
#include <QTimer>

void MainWindow::rename_slot(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                             const QVector<int>& roles)
{
    Q_UNUSED(bottomRight);
    if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole) && !roles.contains(Qt::EditRole))
        return;
    const QString name = topLeft.data().toString();
    if (!CatalogNames::isSafeName(name)) {
        // The old name comes back without running this handler again.
        disconnect(model, &QStandardItemModel::dataChanged, this, &MainWindow::rename_slot);
        model->setData(topLeft, oldItemName);
        connect(model, &QStandardItemModel::dataChanged, this, &MainWindow::rename_slot);
        Messages::error(name.isEmpty()
                            ? tr("名称不能为空!")
                            : tr("名称不能含有 / 或 \\，不能是 . 或 ..，首尾也不能有空格!"));
        return;
    }
    const QVariant id = topLeft.data(Catalog::ItemIdRole);
    if (!id.isValid())
        return;
    const CatalogStore::RenamePlan plan =
        CatalogStore::planRename(id.toInt(), name, AppDirs::libraryPrefix());
    if (!plan.found || plan.oldName == name)
        return;

    // Disk first, then the table; a table that refuses puts the disk back, so the two never
    // disagree about where the text lives.
    // The disk alone cannot tell: a sibling whose file was removed outside the program still
    // owns its name, and a second item there would share its file.
    const bool moved = !plan.nameTaken && CatalogNames::renameEntry(plan.oldPath, plan.newPath);
    if (!moved || !CatalogStore::renameItem(id.toInt(), name, plan.newUrl)) {
        if (moved)
            CatalogNames::renameEntry(plan.newPath, plan.oldPath);
        // The tree is rebuilt once the view has finished committing its editor: clearing
        // the model inside its own change signal would pull the item from under it.
        QTimer::singleShot(0, this, [this] {
            model->clear();
            loadCatalog();
            Messages::error(tr("重命名失败! 可能存在同名章节"));
        });
        return;
    }

    if (plan.type == Catalog::Book)
        renameBookStats(plan.oldName, name);

    // The open file moved with its item, or with its book or volume; it keeps being saved
    // where it now is, and a renamed chapter's title line follows the new name.
    if (!openChapter->followRename(plan.oldPath, plan.newPath))
        return;
    if (plan.type == Catalog::Chapter) {
        ui->textEdit->setPlainText(
            CatalogNames::retitled(editorPlainText(ui->textEdit->document()), plan.oldName, name));
        openChapter->save();
    }
    statusPathLabel->setText(Catalog::statusPath(openChapter->path(), AppDirs::libraryPrefix()));
}
