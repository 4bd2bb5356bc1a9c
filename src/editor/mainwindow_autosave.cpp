#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appdirs.h"
#include "editor/backupname.h"
#include "editor/editortext.h"
#include "library/filecreate.h"

#include <QDateTime>
#include <QFileInfo>

bool MainWindow::saveOpenChapter()
{
    saveWritingLog();
    const QString text = editorPlainText(ui->textEdit->document());
    if (text.isEmpty() || !QFileInfo::exists(curOpenChapter))
        return false;
    return FileCreate::saveFile(curOpenChapter, text);
}

void MainWindow::timer_save_slot()
{
    // The modified flag is never cleared by saving, so once the author has typed, every
    // tick leaves another copy: the backups are the chapter's version history.
    if (!ui->textEdit->document()->isModified())
        return;
    const QString backup = backupPath(curOpenChapter, AppDirs::libraryPrefix(),
                                      AppDirs::backupDir(), QDateTime::currentMSecsSinceEpoch());
    const QString text = editorPlainText(ui->textEdit->document());
    FileCreate::createFile(backup);
    FileCreate::saveFile(backup, text);
    FileCreate::saveFile(curOpenChapter, text);
    saveWritingLog();
}
