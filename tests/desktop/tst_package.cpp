#include "app/appdirs.h"
#include "apprunner.h"
#include "support/testsupport.h"

#include <QSettings>
#include <QtTest>

#include <signal.h>

// The Debian package as a user gets it: built by CPack from this build, unpacked into a
// temporary root, checked by the desktop's validators, started from its menu entry.
class TstPackage : public QObject
{
    Q_OBJECT
private slots:
    void installedProgramKeepsTheLibraryAtHomeAndSavesAtSessionEnd();
};

namespace {

// Runs a command to its end; its output goes to the log when it fails.
bool run(const QString& program, const QStringList& args, const QString& dir = QString())
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool ok =
        p.waitForFinished(240000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!ok)
        qWarning().noquote() << program << args.join(' ') << "failed:\n" << p.readAll();
    return ok;
}

QString onlyFile(const QString& dir, const QString& pattern)
{
    const QStringList found = QDir(dir).entryList({pattern}, QDir::Files);
    return found.size() == 1 ? dir + "/" + found.first() : QString();
}

} // namespace

void TstPackage::installedProgramKeepsTheLibraryAtHomeAndSavesAtSessionEnd()
{
    QTemporaryDir tmp;
    const QString build = qEnvironmentVariable("LORVANE_BUILD_DIR");
    QVERIFY(run("cpack", {"-G", "DEB", "-B", tmp.path(), "--config", build + "/CPackConfig.cmake"},
                build));
    const QString deb = onlyFile(tmp.path(), "lorvane_*.deb");
    const QString usr = tmp.path() + "/root/usr", home = tmp.path() + "/home";
    QVERIFY(!deb.isEmpty() && run("dpkg-deb", {"-x", deb, tmp.path() + "/root"}));
    const QString desktop = onlyFile(usr + "/share/applications", "*.desktop");
    QVERIFY(run("desktop-file-validate", {desktop}));
    QVERIFY(run("appstreamcli",
                {"validate", "--no-net", onlyFile(usr + "/share/metainfo", "*.metainfo.xml")}));
    // The browser plugin is where the program looks, and its libraries are dependencies.
    QVERIFY(
        QFileInfo(AppDirs::installedPluginDir(usr + "/bin") + "/liblorvane_browser.so").isFile());
    const QString depends = runTool("dpkg-deb", {"-f", deb, "Depends"});
    for (const char* lib : {"libqt5widgets5", "libqt5sql5", "libqt5webkit5", "libx11-6"})
        QVERIFY2(depends.contains(lib), qPrintable(depends));

    // Root ignores permission bits: a read-only bind mount in a private mount namespace makes
    // the installation really unwritable, and a write that still succeeds stops the run.
    const QString script =
        "mount --bind \"$1\" \"$1\" && mount -o remount,bind,ro \"$1\" || exit 96\n"
        "if touch \"$1/bin/.w\" 2>/dev/null; then exit 97; fi\n"
        "shift; exec \"$@\"";
    const QStringList exec =
        QSettings(desktop, QSettings::IniFormat).value("Desktop Entry/Exec").toString().split(' ');
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        env.remove(name);
    env.insert("HOME", home);
    env.insert("PATH", usr + "/bin:" + env.value("PATH")); // the Exec line is found on PATH
    QVERIFY(QDir().mkpath(home));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    // On a busy machine the program in the new namespace now and then fails to reach the
    // display; such a start leaves nothing behind and is made again.
    QString window;
    for (int attempt = 0; attempt < 3 && p.state() != QProcess::Running; ++attempt) {
        p.start("unshare", QStringList{"-rm", "sh", "-c", script, "sh", usr} + exec);
        QVERIFY(p.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(
            p.state() != QProcess::Running || !(window = AppRunner::findWindow()).isEmpty(), 20000);
    }
    QVERIFY2(p.state() == QProcess::Running, qPrintable(QString::number(p.exitCode())));
    const QString chapter =
        home + "/.local/share/lorvane/data/我的书籍/默认书名[1]/默认分卷[1]/默认章节[1].txt";
    const QByteArray starter = "默认章节[1]\n\n";
    QTRY_COMPARE_WITH_TIMEOUT(readBytes(chapter), starter, 5000);

    // Typed below the text (ASCII: xdotool drops remapped keys on a busy machine), nothing is
    // written until the session ends: logging out ends the program in its orderly way.
    runTool("xdotool",
            {"mousemove", "--window", window, "600", "400", "click", "1", "sleep", "0.3"});
    runTool("xdotool", {"type", "--delay", "40", "hello lorvane"});
    QTest::qWait(500);
    QCOMPARE(readBytes(chapter), starter);
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(readBytes(chapter), starter + "hello lorvane");
}

QTEST_GUILESS_MAIN(TstPackage)
#include "tst_package.moc"
