#include "app/mainwindow.h"

#include "app/appdirs.h"
#include "editor/openchapter.h"

#include <QDateTime>

void MainWindow::timer_save_slot()
{
    openChapter->autosave(AppDirs::libraryPrefix(), AppDirs::backupDir(),
                          QDateTime::currentMSecsSinceEpoch());
    // Once a tick, even when the chapter needed no save: the log may hold minutes of writing.
    saveWritingLog();
}
