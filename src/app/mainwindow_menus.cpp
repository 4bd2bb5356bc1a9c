#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/platform/desktopservices.h"

void MainWindow::keySound_slot(bool checked) { Platform::services().setKeySoundEnabled(checked); }
