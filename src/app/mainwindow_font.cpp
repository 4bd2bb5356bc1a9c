#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QTextBlock>

namespace {

bool wholeTextHasSize(const QTextDocument* doc, qreal points)
{
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().fontPointSize() != points)
                return false;
        }
    }
    return true;
}

} // namespace

void MainWindow::applyWholeTextSize(const QString& size)
{
    QTextCharFormat format;
    format.setFontPointSize(size.toInt());
    QTextDocument* doc = ui->textEdit->document();
    // A size change lays the whole chapter out again; a freshly opened chapter usually has
    // the size already (it takes the editor's format), so only the edit is recorded then.
    if (!wholeTextHasSize(doc, format.fontPointSize())) {
        QTextCursor all(doc);
        all.select(QTextCursor::Document);
        all.mergeCharFormat(format);
    } else if (!doc->isEmpty()) {
        doc->setModified(true);
    }
    // Newly typed text takes the size too, also in an empty editor.
    ui->textEdit->mergeCurrentCharFormat(format);
}

// Family and size are display formats of the whole text; each change applies to everything
// and leaves the cursor at the end of the text without a selection.
void MainWindow::on_font_size_currentIndexChanged(const QString& size)
{
    applyWholeTextSize(size);
    ui->textEdit->moveCursor(QTextCursor::End);
    QTextCharFormat format;
    format.setFontPointSize(size.toInt());
    ui->textEdit->mergeCurrentCharFormat(format);
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
