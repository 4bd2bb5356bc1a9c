#include "app/mainwindow.h"

#include "app/appdirs.h"
#include "library/dialogrecycle.h"

namespace {

// The window is made once and kept; its listing follows the directory while it lives.
void showBrowser(QWidget*& window, QWidget* owner, const QString& root, const QString& title)
{
    if (!window) {
        auto* browser = new DialogRecycle;
        window = browser;
        browser->setParent(owner, Qt::Dialog);
        browser->setRoot(root, title);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void MainWindow::recycle_slot()
{
    showBrowser(recycleWindow, this, AppDirs::recycleDir(), tr("回收站"));
}

void MainWindow::bak_slot() { showBrowser(bakWindow, this, AppDirs::backupDir(), tr("时光机")); }
void MainWindow::on_btn_recycle_clicked() { recycle_slot(); }
void MainWindow::on_btn_bak_clicked() { bak_slot(); }
