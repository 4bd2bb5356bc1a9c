// What only a real X server shows, on one of the test's own under openbox: F8 and the
// keyboard grab of a lock in the real program. While the program holds the keyboard, no other
// client (the window manager with its bindings, or this test) can grab it.
#include "apprunner.h"
#include "privatexserver.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

#include <cstdio>

#include <X11/Xlib.h>

namespace {

void xdotool(const QStringList& args) { runTool("xdotool", args); }
bool isViewable(const QString& id)
{
    return runTool("xwininfo", {"-id", id}).contains("IsViewable");
}
bool keyboardIsGrabbed()
{
    Display* display = XOpenDisplay(nullptr);
    const int result = XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync,
                                     GrabModeAsync, CurrentTime);
    XUngrabKeyboard(display, CurrentTime);
    XCloseDisplay(display);
    return result == AlreadyGrabbed;
}
// Openbox, its home and configuration folders in `dir`.
struct WindowManager {
    QString dir;
    QProcess process;
    ~WindowManager()
    {
        process.terminate();
        process.waitForFinished(5000);
    }
    bool run()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* var : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            env.insert(var, dir);
        process.setProcessEnvironment(env);
        // Started again when it gives up or hangs: on a loaded machine a first start may not
        // get through to a busy X server.
        QElapsedTimer total, attempt;
        for (total.start(); !total.hasExpired(60000); QThread::msleep(200)) {
            if (process.state() == QProcess::NotRunning || attempt.hasExpired(10000)) {
                process.kill();
                process.waitForFinished(5000);
                process.start("openbox", {"--sm-disable"});
                attempt.start();
            }
            if (runTool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"))
                return true;
        }
        return false;
    }
};

} // namespace

class TstLockScreen : public QObject
{
    Q_OBJECT
private slots:
    void f8TogglesAndALockGrabsTheKeyboardUntilItsGoal();
};

void TstLockScreen::f8TogglesAndALockGrabsTheKeyboardUntilItsGoal()
{
    QTemporaryDir wmDir;
    WindowManager wm;
    wm.dir = wmDir.path();
    QVERIFY(wm.run());
    AppRunner app;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + app.file("no-bus"));
    program.setProcessEnvironment(env);
    program.start(app.file("lorvane"), QStringList());
    const QString id = app.waitForWindow();
    QVERIFY(!id.isEmpty());

    QVERIFY(!keyboardIsGrabbed());
    // NumLock is toggled, not set: F8 must work in either state.
    xdotool({"key", "F8"});
    QTRY_VERIFY(!isViewable(id));
    xdotool({"key", "Num_Lock", "F8", "Num_Lock"});
    QTRY_VERIFY(isViewable(id));

    xdotool({"windowactivate", "--sync", id});
    xdotool({"key", "ctrl+k"});
    QTRY_VERIFY(!runTool("xdotool", {"search", "--onlyvisible", "--name", "^锁定$"}).isEmpty());
    xdotool({"type", "5"});
    xdotool({"key", "Return"});
    // Locked: the keyboard is the program's, and F8 does not hide the window.
    QTRY_VERIFY(keyboardIsGrabbed());
    xdotool({"key", "F8"});
    QThread::msleep(800);
    QVERIFY(isViewable(id));

    // The goal typed into the editor (the right half) ends the lock by itself; then the
    // grab is gone and F8 registered again.
    xdotool({"mousemove", "--window", id, "960", "600", "click", "1"});
    xdotool({"type", "--delay", "40", "abcde"});
    QTRY_VERIFY_WITH_TIMEOUT(!keyboardIsGrabbed(), 5000);
    xdotool({"key", "F8"});
    QTRY_VERIFY(!isViewable(id));
    program.terminate();
    QVERIFY(program.waitForFinished(10000));
}

int main(int argc, char** argv)
{
    PrivateXServer x;
    if (!x.isRunning()) {
        std::fprintf(stderr, "no private X server (Xvfb) could be started\n");
        return 1;
    }
    QApplication app(argc, argv);
    TstLockScreen t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lockscreen.moc"
