#include "app/mainwindow.h"
#include "ui_mainwindow.h"

// Family and size are display formats of the whole text; each change selects everything,
// applies, and leaves the cursor at the end of the text without a selection.
void MainWindow::on_font_size_currentIndexChanged(const QString& size)
{
    ui->textEdit->selectAll();
    ui->textEdit->setFontPointSize(size.toInt());
    QTextCursor cursor = ui->textEdit->textCursor();
    cursor.clearSelection();
    ui->textEdit->setTextCursor(cursor);
    ui->textEdit->setFocus();
}

void MainWindow::on_font_currentFontChanged(const QFont& font)
{
    ui->textEdit->selectAll();
    ui->textEdit->setCurrentFont(font);
    // A family change resets the size and weight; the row's values win again.
    on_font_size_currentIndexChanged(ui->font_size->currentText());
    on_bold_clicked(ui->bold->isChecked());
}
