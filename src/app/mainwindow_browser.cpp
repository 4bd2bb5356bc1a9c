#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/messages.h"
#include "extras/browserplugin.h"
#include "extras/webaddresses.h"

void MainWindow::on_browser_clicked()
{
    // Kept after closing: reopening shows the page last shown.
    if (!browserWindow) {
        browserWindow = BrowserPlugin::createWindow(WebAddresses::homePage(), this);
        if (!browserWindow) {
            Messages::error(tr("内置浏览器无法加载"));
            return;
        }
    }
    browserWindow->show();
    browserWindow->raise();
}
