#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "library/filecreate.h"

#include <QFileInfo>

bool MainWindow::saveOpenChapter()
{
    const QString text = ui->textEdit->toPlainText();
    if (text.isEmpty() || !QFileInfo::exists(curOpenChapter))
        return false;
    return FileCreate::saveFile(curOpenChapter, text);
}

void MainWindow::timer_save_slot() {}
