#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "editor/editortext.h"
#include "editor/typesetting.h"

#include <QSettings>

void MainWindow::on_one_key_clicked()
{
    const QString text = Typesetting::oneKey(editorReadingText(ui->textEdit->document()),
                                             Typesetting::oneKeyOptions(*settings));
    // As plain text: a chapter that happens to begin like markup must keep its tags.
    ui->textEdit->setPlainText(text);
    // The cursor goes to the start anyway: placing it at the last paragraph first, as the
    // theme does, would lay out the whole chapter only to scroll back.
    setParagraphMargins();
    // The typeset text is not what the file holds until the next save; the autosave must see
    // it as an edit even when the margins were already in place.
    ui->textEdit->document()->setModified(true);
    ui->textEdit->moveCursor(QTextCursor::Start);
    ui->textEdit->setFocus();
}
