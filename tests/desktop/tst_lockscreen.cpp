// What only a real X server shows of the keyboard and the lock, on an X server of the test's
// own: the X11 keyboard hook inside the test process (key sounds of keys typed anywhere),
// then the F8 hotkey and a character lock in the real program under a real window manager
// (openbox), which runs a command for each of its key bindings, so a key that reaches it
// leaves a file behind.
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

// The window manager's key bindings as it names them and as xdotool does.
const QStringList kBindings{"Escape", "C-Escape", "C-S-Escape", "A-Tab", "A-F4", "W-d"};
const QStringList kKeys{"Escape",  "ctrl+Escape", "ctrl+shift+Escape",
                        "alt+Tab", "alt+F4",      "super+d"};

void xdotool(const QStringList& args) { runTool("xdotool", args); }

// "x,y wxh"
QString geometry(const QString& id)
{
    const QString s = runTool("xdotool", {"getwindowgeometry", id});
    return s.section("Position: ", 1).section(' ', 0, 0) + ' ' + s.section("Geometry: ", 1);
}
bool isViewable(const QString& id)
{
    return runTool("xwininfo", {"-id", id}).contains("IsViewable");
}
bool isFullScreen(const QString& id)
{
    return runTool("xprop", {"-id", id, "_NET_WM_STATE"}).contains("_NET_WM_STATE_FULLSCREEN");
}

// Asks the window manager to close the window, as a taskbar or pager does.
void requestClose(const QString& id)
{
    Display* display = XOpenDisplay(nullptr);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = Window(id.toULong());
    event.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[1] = 2; // from a pager
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XCloseDisplay(display);
}

// Openbox with nothing but the bindings, each touching a file of its name in `dir`.
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
        QString keys;
        for (const QString& b : kBindings)
            keys += QString("<keybind key=\"%1\"><action name=\"Execute\"><command>touch %2/%1"
                            "</command></action></keybind>")
                        .arg(b, dir);
        writeBytes(dir + "/rc.xml", QString("<openbox_config xmlns=\"http://openbox.org/3.4/rc\">"
                                            "<keyboard>%1</keyboard></openbox_config>")
                                        .arg(keys)
                                        .toUtf8());
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
                process.start("openbox", {"--sm-disable", "--config-file", dir + "/rc.xml"});
                attempt.start();
            }
            if (runTool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"))
                return true;
        }
        return false;
    }
    // The bindings that ran since the last call.
    QStringList takeRun() const
    {
        QStringList run;
        for (const QString& b : kBindings)
            if (QFile::remove(dir + "/" + b))
                run << b;
        return run;
    }
};

} // namespace

class TstLockScreen : public QObject
{
    Q_OBJECT
private slots:
    void keySoundsOfKeysTypedAnywhere();
    void f8TogglesAndACharacterLockHoldsTheDesktopUntilItsGoal();
};

void TstLockScreen::keySoundsOfKeysTypedAnywhere()
{
    // The recording sound player stays; the services are the desktop's own.
    TestAppDir app;
    Platform::install(nullptr);
    DesktopServices& s = Platform::services();
    QVERIFY(s.installKeyboardHook());
    s.setKeySoundEnabled(true);
    // Each row's keys end with Down: recorded events arrive in order, so its scroll sounds
    // mark the end. Every sound comes on press and on release; Shift_L is silent.
    const std::pair<const char*, const char*> rows[] = {{"A Down", "key.wav key.wav"},
                                                        {"KP_7 Down", "key.wav key.wav"},
                                                        {"Shift_R Down", "space.wav space.wav"},
                                                        {"grave Down", ""}};
    for (const auto& [keys, sounds] : rows) {
        fakeSounds().played.clear();
        QProcess::execute("xdotool", QStringList{"key"} + QString(keys).split(' '));
        QTRY_COMPARE_WITH_TIMEOUT(fakeSounds().played.join(' '),
                                  (sounds + QString(" scroll.wav scroll.wav")).trimmed(), 5000);
    }
    s.removeKeyboardHook();
}

void TstLockScreen::f8TogglesAndACharacterLockHoldsTheDesktopUntilItsGoal()
{
    QTemporaryDir wmDir;
    WindowManager wm;
    wm.dir = wmDir.path();
    QVERIFY(wm.run());
    AppRunner app;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("QT_LOGGING_RULES", "lorvane.sound.debug=true");
    env.insert("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + app.file("no-bus"));
    program.setProcessEnvironment(env);
    program.start(app.file("lorvane"), QStringList());
    const QString id = app.waitForWindow();
    QVERIFY(!id.isEmpty());
    const QString screen = "0,0 1280x1024";

    // Unlocked, every binding reaches the window manager.
    for (const QString& key : kKeys)
        xdotool({"key", key});
    QTRY_VERIFY(QFile::exists(wmDir.path() + "/" + kBindings.last()));
    QCOMPARE(wm.takeRun(), kBindings);

    // NumLock and CapsLock are toggled, not set: F8 must work in either state of each.
    xdotool({"key", "F8"});
    QTRY_VERIFY(!isViewable(id));
    xdotool({"key", "Num_Lock", "F8", "Num_Lock"});
    QTRY_VERIFY(isViewable(id));
    xdotool({"key", "Caps_Lock", "F8", "Caps_Lock"});
    QTRY_VERIFY(!isViewable(id));
    xdotool({"key", "F8"});
    QTRY_VERIFY(isViewable(id));
    // No tray here: hiding by F8 never became the orderly quit.
    QCOMPARE(program.state(), QProcess::Running);

    xdotool({"windowactivate", "--sync", id});
    xdotool({"key", "ctrl+k"});
    QTRY_VERIFY(!runTool("xdotool", {"search", "--onlyvisible", "--name", "^锁定$"}).isEmpty());
    xdotool({"type", "5"});
    xdotool({"key", "Return"});
    QTRY_VERIFY(isFullScreen(id));
    QTRY_COMPARE(geometry(id), screen);

    // Locked: the window comes back when minimised as a pager would, and every way out fails.
    xdotool({"windowminimize", id});
    QThread::msleep(500);
    for (const QString& key : kKeys + QStringList{"F8", "ctrl+h"})
        xdotool({"key", key});
    requestClose(id);
    QThread::msleep(800);
    QCOMPARE(wm.takeRun(), QStringList());
    QVERIFY(isViewable(id) && isFullScreen(id));
    QCOMPARE(geometry(id), screen);

    // The goal typed into the editor (the right half) ends the lock by itself.
    xdotool({"mousemove", "--window", id, "960", "600", "click", "1"});
    xdotool({"type", "--delay", "40", "abcde"});
    QTRY_VERIFY_WITH_TIMEOUT(!isFullScreen(id), 5000);
    QTRY_VERIFY(geometry(id).endsWith(" 800x705"));

    // The window manager's keys and F8 (registered again) work, and a close request ends
    // the program.
    xdotool({"key", "ctrl+Escape"});
    QTRY_VERIFY(QFile::exists(wmDir.path() + "/C-Escape"));
    QCOMPARE(wm.takeRun(), QStringList{"C-Escape"});
    xdotool({"key", "F8"});
    QTRY_VERIFY(!isViewable(id));
    xdotool({"key", "F8"});
    QTRY_VERIFY(isViewable(id));
    requestClose(id);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    // Key sounds are off until the author turns them on; the keys still went through.
    const QString log = QString::fromUtf8(program.readAllStandardError());
    QVERIFY(log.count("play lock.wav") == 1 && !log.contains("play key.wav"));
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
