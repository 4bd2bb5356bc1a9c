// A second reference for the start-up batch: the program's own main-window form with its
// style sheet, built and shown the way the program does, and nothing else (no library, no
// theme colours, no icons). What it costs over the bare window is the floor of this window.
#include "app/startupenvironment.h"
#include "library/filecreate.h"
#include "resources/resources.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    StartupEnvironment::apply();
    QApplication app(argc, argv);
    Resources::init();
    app.setStyleSheet(FileCreate::loadStyleSheet(QStringLiteral("gray")));
    QMainWindow window;
    window.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    Ui::MainWindow ui;
    ui.setupUi(&window);
    window.show();
    return app.exec();
}
