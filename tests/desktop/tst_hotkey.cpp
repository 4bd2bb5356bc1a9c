// The real program and its F8 hotkey on an X server of the test's own.
#include "apprunner.h"
#include "privatexserver.h"

#include <QCoreApplication>
#include <QSettings>
#include <QtTest>

#include <cstdio>

class TstHotkey : public QObject
{
    Q_OBJECT
private slots:
    void f8HidesAndShowsTheWindowWhateverTheLocks();
};

void TstHotkey::f8HidesAndShowsTheWindowWhateverTheLocks()
{
    AppRunner app;
    QVERIFY(app.isValid());
    // Whatever happens, a power request of this program reaches no system bus.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + app.file("no-bus").toUtf8());
    QProcess* program = app.start();
    const QString id = app.waitForWindow();
    QVERIFY(!id.isEmpty());
    const auto mapped = [&] {
        return runTool("xwininfo", {"-id", id}).contains("Map State: IsViewable");
    };

    // NumLock and CapsLock are toggled, not set: F8 must work in either state of each.
    runTool("xdotool", {"key", "F8"});
    QTRY_VERIFY(!mapped());
    runTool("xdotool", {"key", "Num_Lock", "F8", "Num_Lock"});
    QTRY_VERIFY(mapped());
    runTool("xdotool", {"key", "Caps_Lock", "F8", "Caps_Lock"});
    QTRY_VERIFY(!mapped());
    runTool("xdotool", {"key", "F8"});
    QTRY_VERIFY(mapped());

    // No tray here: hiding by F8 never became the orderly quit.
    QCOMPARE(program->state(), QProcess::Running);
    QSettings ini(app.file("config.ini"), QSettings::IniFormat);
    QVERIFY(ini.contains("curThemeOption/user_data_dir"));
    QVERIFY(!ini.contains("setOption/keySound"));
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
