#include "app/appdirs.h"
#include "app/mainwindow.h"
#include "app/platform/terminationwatcher.h"
#include "app/singleinstance.h"
#include "app/startupenvironment.h"
#include "resources/resources.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The frameless window moves itself and the hotkey listens desktop-wide; both need X11,
    // which a Wayland session offers through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    StartupEnvironment::apply();

    QApplication app(argc, argv);
    // Hiding to the tray is not an end; the program ends only through its orderly quit.
    app.setQuitOnLastWindowClosed(false);
    SingleInstance instance(AppDirs::root());
    if (!instance.tryAcquire())
        return 0;

    Resources::init();
    MainWindow w;
    if (!w.isInitialised())
        return 2;
    // A session that ends (logout, shutdown, Ctrl+C in a terminal) gets the orderly quit,
    // which saves the open chapter.
    TerminationWatcher termination;
    QObject::connect(&termination, &TerminationWatcher::terminationRequested, &w,
                     &MainWindow::qApp_quit);
    w.show();
    w.raise();
    w.activateWindow();
    return app.exec();
}
