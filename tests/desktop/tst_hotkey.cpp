// The real program and its F8 hotkey on an X server of the test's own, and a start where no
// X display exists at all.
#include "apprunner.h"
#include "privatexserver.h"

#include <QCoreApplication>
#include <QSettings>
#include <QtTest>

#include <cstdio>

namespace {

QRect windowGeometry(const QString& id)
{
    QRect r;
    const QStringList lines =
        runTool("xdotool", {"getwindowgeometry", "--shell", id}).split('\n');
    for (const QString& line : lines) {
        const QString value = line.section('=', 1);
        if (line.startsWith("X="))
            r.moveLeft(value.toInt());
        else if (line.startsWith("Y="))
            r.moveTop(value.toInt());
        else if (line.startsWith("WIDTH="))
            r.setWidth(value.toInt());
        else if (line.startsWith("HEIGHT="))
            r.setHeight(value.toInt());
    }
    return r;
}

bool isMapped(const QString& id)
{
    return runTool("xwininfo", {"-id", id}).contains("Map State: IsViewable");
}

} // namespace

class TstHotkey : public QObject
{
    Q_OBJECT
private slots:
    void f8HidesAndRestoresAtTheSavedGeometry();
    void startsWithoutAnyDisplay();
};

void TstHotkey::f8HidesAndRestoresAtTheSavedGeometry()
{
    AppRunner app;
    QVERIFY(app.isValid());
    // Whatever happens, a power request of this program reaches no system bus.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + app.file("no-bus").toUtf8());
    QProcess* program = app.start();
    const QString id = app.waitForWindow();
    QVERIFY(!id.isEmpty());

    runTool("xdotool", {"key", "F8"});
    QTRY_VERIFY(!isMapped(id));
    runTool("xdotool", {"key", "F8"});
    QTRY_VERIFY(isMapped(id));
    const QRect saved = windowGeometry(id);
    QCOMPARE(saved.size(), QSize(800, 705));

    // Moving the window does not change where F8 brings it back.
    runTool("xdotool", {"windowmove", id, "240", "160"});
    QTRY_COMPARE(windowGeometry(id).topLeft(), QPoint(240, 160));
    runTool("xdotool", {"key", "F8"});
    QTRY_VERIFY(!isMapped(id));
    runTool("xdotool", {"key", "F8"});
    QTRY_VERIFY(isMapped(id));
    QTRY_COMPARE(windowGeometry(id), saved);

    // No tray here: hiding by F8 never became the orderly quit.
    QCOMPARE(program->state(), QProcess::Running);
    QSettings ini(app.file("config.ini"), QSettings::IniFormat);
    QVERIFY(ini.contains("curThemeOption/user_data_dir"));
    QVERIFY(!ini.contains("setOption/keySound"));
}

void TstHotkey::startsWithoutAnyDisplay()
{
    AppRunner app;
    QVERIFY(app.isValid());
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + app.file("no-bus"));
    program.setProcessEnvironment(env);
    program.start(app.file("lorvane"), QStringList());
    QVERIFY(program.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(app.file("config.ini")), 15000);
    QVERIFY(!program.waitForFinished(1500));

    program.terminate();
    program.waitForFinished(5000);
    const QString log = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(log.count("No X11 display: running without keyboard hook"), 1);
}

int main(int argc, char** argv)
{
    PrivateXServer x;
    if (!x.isRunning()) {
        std::fprintf(stderr, "no private X server (Xvfb) could be started\n");
        return 1;
    }
    QCoreApplication app(argc, argv);
    TstHotkey t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_hotkey.moc"
