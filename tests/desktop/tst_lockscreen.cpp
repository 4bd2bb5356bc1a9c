// A writing lock in the real program under a real window manager (openbox) on an X server of
// the test's own. The window manager runs a command for each of its key bindings, so a key
// that reaches it leaves a file behind.
#include "apprunner.h"
#include "privatexserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

#include <cstdio>

#include <X11/Xlib.h>

namespace {

// Key bindings of the window manager and the file each one touches.
const QList<QPair<QString, QString>> kBindings{
    {"Escape", "escape"}, {"C-Escape", "ctrl-escape"}, {"C-S-Escape", "ctrl-shift-escape"},
    {"A-Tab", "alt-tab"}, {"A-F4", "alt-f4"},           {"W-d", "super-d"}};
// The same keys as xdotool names them.
const QStringList kKeys{"Escape", "ctrl+Escape", "ctrl+shift+Escape",
                        "alt+Tab", "alt+F4",     "super+d"};

QRect windowGeometry(const QString& id)
{
    QRect r;
    for (const QString& line : runTool("xdotool", {"getwindowgeometry", "--shell", id}).split('\n')) {
        const int value = line.section('=', 1).toInt();
        if (line.startsWith("X="))
            r.moveLeft(value);
        else if (line.startsWith("Y="))
            r.moveTop(value);
        else if (line.startsWith("WIDTH="))
            r.setWidth(value);
        else if (line.startsWith("HEIGHT="))
            r.setHeight(value);
    }
    return r;
}

bool isViewable(const QString& id)
{
    return runTool("xwininfo", {"-id", id}).contains("Map State: IsViewable");
}

bool isFullScreen(const QString& id)
{
    return runTool("xprop", {"-id", id, "_NET_WM_STATE"}).contains("_NET_WM_STATE_FULLSCREEN");
}

void xdotool(const QStringList& args) { runTool("xdotool", args); }

// The title bar's buttons at the right end of the bar, from the right: close (40 px wide),
// maximise and minimise (31 px each). The x of the middle of each in a window `width` wide.
enum { Close, Maximise, Minimise };
int buttonX(int width, int button)
{
    return button == Close ? width - 20 : width - 40 - 31 * (button - 1) - 16;
}

void clickInWindow(const QString& id, int x, int y)
{
    xdotool({"mousemove", "--window", id, QString::number(x), QString::number(y), "click", "1"});
}

// Asks the window manager to close the window, as a taskbar or pager does; the window
// manager passes the request on to the program.
void requestClose(const QString& id)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = Window(id.toULong());
    event.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = 2; // from a pager
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XCloseDisplay(display);
}

// Ends the program when a check fails half-way.
struct Stopper {
    QProcess& process;
    ~Stopper()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
        process.waitForFinished(5000);
    }
};

// Openbox with nothing but the bindings above, its files kept in `dir`.
class WindowManager
{
public:
    explicit WindowManager(const QString& dir) : m_dir(dir)
    {
        QString keys;
        for (const auto& b : kBindings)
            keys += QString("<keybind key=\"%1\"><action name=\"Execute\"><command>touch %2"
                            "</command></action></keybind>\n")
                        .arg(b.first, marker(b.second));
        QFile rc(dir + "/rc.xml");
        rc.open(QIODevice::WriteOnly);
        rc.write(QString("<?xml version=\"1.0\"?>\n<openbox_config "
                         "xmlns=\"http://openbox.org/3.4/rc\">\n"
                         "<focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>\n"
                         "<keyboard>\n%1</keyboard>\n</openbox_config>\n")
                     .arg(keys)
                     .toUtf8());
        rc.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* var : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            env.insert(var, dir);
        m_process.setProcessEnvironment(env);
        m_process.start("openbox", {"--sm-disable", "--config-file", dir + "/rc.xml"});
        m_process.waitForStarted(5000);
    }
    ~WindowManager()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    bool waitUntilRunning() const
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 10000) {
            if (runTool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"))
                return true;
            QThread::msleep(100);
        }
        return false;
    }
    QString marker(const QString& name) const { return m_dir + "/key-" + name; }
    bool hasRun(const QString& name) const { return QFile::exists(marker(name)); }
    // The bindings that ran since the last call.
    QStringList takeMarkers() const
    {
        QStringList found;
        for (const auto& b : kBindings)
            if (QFile::remove(marker(b.second)))
                found << b.second;
        return found;
    }

private:
    QString m_dir;
    QProcess m_process;
};

QStringList allMarkers()
{
    QStringList all;
    for (const auto& b : kBindings)
        all << b.second;
    return all;
}

} // namespace

class TstLockScreen : public QObject
{
    Q_OBJECT
private slots:
    void characterLockHoldsTheDesktopUntilItsGoal();
};

void TstLockScreen::characterLockHoldsTheDesktopUntilItsGoal()
{
    QTemporaryDir wmDir;
    WindowManager wm(wmDir.path());
    QVERIFY(wm.waitUntilRunning());
    AppRunner app;
    QVERIFY(app.isValid());

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("QT_LOGGING_RULES", "lorvane.sound.debug=true");
    env.insert("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + app.file("no-bus"));
    program.setProcessEnvironment(env);
    program.start(app.file("lorvane"), QStringList());
    Stopper stopper{program};
    QVERIFY(program.waitForStarted(5000));
    const QString id = app.waitForWindow();
    QVERIFY(!id.isEmpty());
    QTRY_COMPARE(windowGeometry(id).size(), QSize(800, 705));
    const QRect screen(0, 0, 1280, 1024);

    // Unlocked, every binding reaches the window manager.
    for (const QString& key : kKeys)
        xdotool({"key", key});
    QTRY_VERIFY(wm.hasRun(kBindings.last().second));
    QCOMPARE(wm.takeMarkers(), allMarkers());

    xdotool({"windowactivate", "--sync", id});
    xdotool({"key", "ctrl+k"});
    QString dialog;
    QTRY_VERIFY((dialog = runTool("xdotool", {"search", "--onlyvisible", "--name", "^锁定$"}))
                    .size() > 0);
    xdotool({"windowactivate", "--sync", dialog.split('\n').first()});
    xdotool({"type", "5"});
    xdotool({"key", "Return"});
    QTRY_VERIFY(isFullScreen(id));
    QTRY_COMPARE(windowGeometry(id), screen);

    // Locked: give the window the time a grab could take, then try every way out.
    QThread::msleep(500);
    for (const QString& key : kKeys)
        xdotool({"key", key});
    xdotool({"key", "F8"});
    xdotool({"key", "ctrl+h"});
    for (int button : {Close, Maximise, Minimise})
        clickInWindow(id, buttonX(screen.width(), button), 15);
    requestClose(id);
    QThread::msleep(800);
    QCOMPARE(wm.takeMarkers(), QStringList());
    QCOMPARE(program.state(), QProcess::Running);
    QVERIFY(isViewable(id));
    QVERIFY(isFullScreen(id));
    QCOMPARE(windowGeometry(id), screen);

    // Minimised by the window manager, as a pager would, the window comes back full screen
    // and holds the keyboard again.
    xdotool({"windowminimize", id});
    QThread::msleep(800);
    QVERIFY(isViewable(id));
    QVERIFY(isFullScreen(id));
    for (const QString& key : kKeys)
        xdotool({"key", key});
    QThread::msleep(500);
    QCOMPARE(wm.takeMarkers(), QStringList());

    // The goal typed into the editor (the right half of the window) ends the lock by itself.
    clickInWindow(id, 960, 600);
    xdotool({"type", "--delay", "40", "abcde"});
    QTRY_VERIFY_WITH_TIMEOUT(!isFullScreen(id), 5000);
    QTRY_COMPARE(windowGeometry(id).size(), QSize(800, 705));

    // Everything works again: the window manager's keys, F8, a close request.
    xdotool({"key", "ctrl+Escape"});
    QTRY_VERIFY(wm.hasRun("ctrl-escape"));
    QCOMPARE(wm.takeMarkers(), QStringList({"ctrl-escape"}));
    xdotool({"key", "F8"});
    QTRY_VERIFY(!isViewable(id));
    xdotool({"key", "F8"});
    QTRY_VERIFY(isViewable(id));
    // The title bar's buttons where the lock was clicking them.
    clickInWindow(id, buttonX(800, Maximise), 15);
    QTRY_COMPARE(windowGeometry(id), screen);
    QVERIFY(!isFullScreen(id));
    clickInWindow(id, buttonX(screen.width(), Maximise), 15);
    QTRY_COMPARE(windowGeometry(id).size(), QSize(800, 705));
    clickInWindow(id, buttonX(800, Minimise), 15);
    QTRY_VERIFY(!isViewable(id));
    xdotool({"windowactivate", id});
    QTRY_VERIFY(isViewable(id));
    requestClose(id);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    const QString log = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(log.count("play lock.wav"), 1);
}

int main(int argc, char** argv)
{
    PrivateXServer x;
    if (!x.isRunning()) {
        std::fprintf(stderr, "no private X server (Xvfb) could be started\n");
        return 1;
    }
    QCoreApplication app(argc, argv);
    TstLockScreen t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lockscreen.moc"
