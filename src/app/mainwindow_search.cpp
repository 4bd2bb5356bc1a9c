#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appdirs.h"
#include "editor/editortext.h"
#include "editor/openchapter.h"
#include "library/catalogpaths.h"
#include "search/searchwindow.h"
#include "stats/paragraphcounter.h"

#include <QAction>
#include <QMenu>
#include <QStandardItemModel>

namespace {

// The book a search of 当前书籍 covers: the one the open item belongs to, or else the one
// selected in the catalog.
QString currentBook(const QString& openFile, const QModelIndex& selected)
{
    const QString prefix = AppDirs::libraryPrefix();
    if (openFile.startsWith(prefix))
        return openFile.mid(prefix.size()).section(QLatin1Char('/'), 0, 0);
    QModelIndex book = selected;
    while (book.parent().isValid())
        book = book.parent();
    return book.data().toString();
}

QModelIndex childNamed(const QStandardItemModel* model, const QModelIndex& parent,
                       const QString& name)
{
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (index.data().toString() == name)
            return index;
    }
    return {};
}

} // namespace

void MainWindow::addSearchEntry(QMenu* menu)
{
    auto* action = new QAction(tr("全书查找"), this);
    action->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+F")));
    connect(action, &QAction::triggered, this, &MainWindow::searchChapters_slot);
    menu->addAction(action);
    // Also on the window itself, so the shortcut works while the menu is closed.
    addAction(action);
}

void MainWindow::searchChapters_slot()
{
    if (!searchChaptersWindow) {
        SearchHost host;
        host.targets = [this](bool wholeLibrary) {
            const QString book = currentBook(openChapter->path(), ui->treeView->currentIndex());
            const QString prefix = AppDirs::libraryPrefix();
            QVector<SearchTarget> targets;
            for (int b = 0; b < model->rowCount(); ++b) {
                const QModelIndex bookIndex = model->index(b, 0);
                if (!wholeLibrary && bookIndex.data().toString() != book)
                    continue;
                for (int v = 0; v < model->rowCount(bookIndex); ++v) {
                    const QModelIndex volume = model->index(v, 0, bookIndex);
                    for (int c = 0; c < model->rowCount(volume); ++c) {
                        const QModelIndex chapter = model->index(c, 0, volume);
                        SearchTarget t{bookIndex.data().toString(),
                                       volume.data().toString(),
                                       chapter.data().toString(),
                                       Catalog::itemFile(chapter, prefix),
                                       false,
                                       QString()};
                        // Also while the editor is disabled but holds unsaved text: the
                        // next save writes that text there, undoing a replace in the file.
                        t.inEditor = t.path == openChapter->path() &&
                                     (ui->textEdit->isEnabled() || openChapter->isChanged());
                        if (t.inEditor)
                            t.editorText = editorPlainText(ui->textEdit->document());
                        targets.append(t);
                    }
                }
            }
            return targets;
        };
        host.open = [this](const SearchTarget& chapter, int start, int length) {
            const QModelIndex index = childNamed(
                model, childNamed(model, childNamed(model, {}, chapter.book), chapter.volume),
                chapter.chapter);
            if (!index.isValid())
                return;
            ui->treeView->setCurrentIndex(index);
            ui->treeView->scrollTo(index);
            on_treeView_clicked(index);
            if (openChapter->path() != chapter.path || length <= 0)
                return;
            QTextCursor cursor = ui->textEdit->textCursor();
            const int end = ui->textEdit->document()->characterCount() - 1;
            cursor.setPosition(qMin(start, end));
            cursor.setPosition(qMin(start + length, end), QTextCursor::KeepAnchor);
            ui->textEdit->setTextCursor(cursor);
            ui->textEdit->ensureCursorVisible();
        };
        host.replaceInEditor = [this](const QVector<TextMatcher::Replacement>& changes) {
            // Match by match from the end, as one undoable edit: the formatting of the
            // rest of the chapter stays, and the document counts as modified.
            // It is the program's change, so the writing log leaves it out.
            paragraphCounter->programEdit([&] {
                QTextCursor cursor(ui->textEdit->document());
                cursor.beginEditBlock();
                for (auto it = changes.crbegin(); it != changes.crend(); ++it) {
                    cursor.setPosition(it->start);
                    cursor.setPosition(it->start + it->length, QTextCursor::KeepAnchor);
                    cursor.insertText(it->text);
                }
                cursor.endEditBlock();
            });
            // The count and the title's mark follow the caret, which may not have moved.
            on_textEdit_cursorPositionChanged();
        };
        auto* window = new SearchWindow(host);
        window->setParent(this, Qt::Window);
        searchChaptersWindow = window;
    }
    searchChaptersWindow->show();
    searchChaptersWindow->raise();
    searchChaptersWindow->activateWindow();
}
