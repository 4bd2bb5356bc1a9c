#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/messages.h"
#include "editor/findrules.h"
#include "extras/browserfactory.h"
#include "extras/browserplugin.h"
#include "extras/webaddresses.h"

#include <QCursor>
#include <QMenu>
#include <QTextCharFormat>
#include <QTextCursor>

namespace {

// Whole-text formats leave the cursor, without selection, at the end of the text and the
// editor ready for typing.
void finishWholeTextFormat(QTextEdit* editor)
{
    QTextCursor cursor = editor->textCursor();
    cursor.clearSelection();
    editor->setTextCursor(cursor);
    editor->setFocus();
}

} // namespace

void MainWindow::on_textEdit_customContextMenuRequested(const QPoint& pos)
{
    Q_UNUSED(pos);
    // At the mouse pointer rather than the requested point, so a menu asked for by the
    // keyboard still appears where the author looks.
    if (textMenu)
        textMenu->exec(QCursor::pos());
}

void MainWindow::on_bold_clicked(bool checked)
{
    ui->textEdit->selectAll();
    ui->textEdit->setFontWeight(checked ? QFont::Bold : QFont::Normal);
    finishWholeTextFormat(ui->textEdit);
}

void MainWindow::on_font_big_clicked()
{
    // Two steps up the list of sizes; the size handler applies it when the index changes.
    const int last = ui->font_size->count() - 1;
    ui->font_size->setCurrentIndex(qMin(ui->font_size->currentIndex() + 2, last));
}

void MainWindow::on_font_samll_clicked()
{
    ui->font_size->setCurrentIndex(qMax(ui->font_size->currentIndex() - 2, 0));
}

void MainWindow::on_left_justified_clicked() { ui->textEdit->setAlignment(Qt::AlignLeft); }

void MainWindow::on_center_clicked() { ui->textEdit->setAlignment(Qt::AlignHCenter); }

void MainWindow::on_right_justified_clicked() { ui->textEdit->setAlignment(Qt::AlignRight); }

void MainWindow::on_undo_clicked() { ui->textEdit->undo(); }

void MainWindow::on_redo_clicked() { ui->textEdit->redo(); }

void MainWindow::clearFormat_slot()
{
    QTextCursor cursor = ui->textEdit->textCursor();
    const QString selected = cursor.selectedText();
    // Through the clipboard on purpose: the author may paste the plain words elsewhere.
    ui->textEdit->cut();
    QTextCharFormat format;
    format.setFont(
        QFont(ui->font->currentText(), ui->font_size->currentText().toInt(), QFont::Normal, false));
    cursor.insertText(selected, format);
    ui->textEdit->setTextCursor(cursor);
}

void MainWindow::searchInBaidu_slot()
{
    const QString selected = ui->textEdit->textCursor().selectedText();
    if (selected.isEmpty()) {
        Messages::error(tr("当前没有选中"));
        return;
    }
    if (!searchWindow) {
        searchWindow = BrowserPlugin::createWindow(QUrl(), this);
        if (!searchWindow) {
            Messages::error(tr("内置浏览器无法加载"));
            return;
        }
        BrowserPlugin::factory()->setMainPageVisible(searchWindow, false);
    }
    searchWindow->show();
    searchWindow->raise();
    const QUrl query = WebAddresses::searchQuery(FindRules::selectionAsPlainText(selected));
    BrowserPlugin::factory()->openAddress(searchWindow, query.toString(QUrl::FullyEncoded));
}
