#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/messages.h"
#include "editor/dialogfind.h"
#include "editor/editortext.h"
#include "editor/findrules.h"

#include <QTextCursor>
#include <QTextDocument>

void MainWindow::on_search_clicked()
{
    // One dialog for the whole run, so its fields keep what the user typed.
    if (!findDialog) {
        auto* dialog = new DialogFind(this);
        connect(dialog, &DialogFind::str_find_signals, this, &MainWindow::str_find_slot);
        connect(dialog, &DialogFind::str_replace_signals, this, &MainWindow::str_replace_slot);
        findDialog = dialog;
    }
    findDialog->show();
    findDialog->raise();
}

void MainWindow::str_find_slot(const QString& text, qint8 code)
{
    const FindRules::SearchMode mode = FindRules::searchMode(code);
    QTextDocument::FindFlags flags;
    if (mode.backward)
        flags |= QTextDocument::FindBackward;
    if (mode.caseSensitive)
        flags |= QTextDocument::FindCaseSensitively;
    // No wrap-around: the author moves the cursor to search again from the other end.
    if (!ui->textEdit->find(text, flags))
        Messages::error(tr("没有匹配的字符了!"));
}

void MainWindow::str_replace_slot(const QString& text, bool all, bool caseInsensitive)
{
    QTextCursor cursor = ui->textEdit->textCursor();
    if (!cursor.hasSelection())
        return;
    if (all) {
        // Plain text in, plain text out: the format-guessing setter would turn a chapter
        // that happens to look like HTML into markup. The raw text keeps the chapter's
        // no-break spaces; the new text is an edit the autosave must see.
        ui->textEdit->setPlainText(FindRules::replaceAll(editorPlainText(ui->textEdit->document()),
                                                         cursor.selectedText(), text,
                                                         caseInsensitive));
        ui->textEdit->document()->setModified(true);
        return;
    }
    cursor.beginEditBlock();
    cursor.insertText(text);
    cursor.endEditBlock();
    ui->textEdit->setTextCursor(cursor);
}
