#include "app/appdirs.h"
#include "apprunner.h"
#include "support/testsupport.h"

#include <QDirIterator>
#include <QPluginLoader>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

#include <signal.h>

// The Debian package as a user gets it: built by CPack from this build, unpacked into a
// temporary root, checked by the desktop's validators, started from its menu entry.
class TstPackage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void packageHoldsTheInstalledFiles();
    void packageIsValidAndFindsItsFiles();
    void libraryIsKeptInTheUsersDataDirectory_data();
    void libraryIsKeptInTheUsersDataDirectory();

private:
    QTemporaryDir m_work;
    QString m_deb;
    QStringList m_files;
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

void TstPackage::initTestCase()
{
    const QString build = qEnvironmentVariable("LORVANE_BUILD_DIR");
    QVERIFY(
        run("cpack",
            {"-G", "DEB", "-B", m_work.path() + "/out", "--config", build + "/CPackConfig.cmake"},
            build));
    m_deb = onlyFile(m_work.path() + "/out", "lorvane_*.deb");
    QVERIFY(!m_deb.isEmpty() && run("dpkg-deb", {"-x", m_deb, m_work.path() + "/root"}));
    for (QDirIterator it(m_work.path() + "/root", QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        m_files << it.next().mid(m_work.path().size() + 6);
}

void TstPackage::packageHoldsTheInstalledFiles()
{
    const std::pair<const char*, int> expected[] = {
        {"^usr/bin/lorvane$", 1},
        {"^usr/share/lorvane/sound/(key|return|space|scroll|lock)\\.wav$", 5},
        {"^usr/lib/.*lorvane/plugins/liblorvane_(browser|soundeffects)\\.so$", 2},
        {"^usr/share/applications/[^/]+\\.desktop$", 1},
        {"^usr/share/metainfo/[^/]+\\.metainfo\\.xml$", 1},
        {"^usr/share/icons/hicolor/(\\d+)x\\1/apps/lorvane\\.png$", 8},
        {"^usr/share/icons/hicolor/scalable/apps/lorvane\\.svg$", 1},
        {"^(?!usr/)", 0},                // nothing outside /usr
        {"(config\\.ini|sys\\.db)$", 0}, // no data of a run
    };
    for (const auto& [pattern, count] : expected)
        QVERIFY2(m_files.filter(QRegularExpression(pattern)).size() == count,
                 qPrintable(pattern + QString("\n") + m_files.join('\n')));
}

void TstPackage::packageIsValidAndFindsItsFiles()
{
    const QString usr = m_work.path() + "/root/usr";
    QVERIFY(run("desktop-file-validate", {onlyFile(usr + "/share/applications", "*.desktop")}));
    QVERIFY(run("appstreamcli",
                {"validate", "--no-net", onlyFile(usr + "/share/metainfo", "*.metainfo.xml")}));
    // Where the program looks from its own folder is where the package put the files; the
    // plugin, stripped as packaged, is still one Qt accepts.
    QVERIFY(QFileInfo(AppDirs::installedSoundDir(usr + "/bin") + "/lock.wav").isFile());
    QPluginLoader plugin(AppDirs::installedPluginDir(usr + "/bin") + "/liblorvane_browser.so");
    QVERIFY2(plugin.load(), qPrintable(plugin.errorString()));
    // Dependencies come from the linked libraries, the plugin's included.
    QProcess depends;
    depends.start("dpkg-deb", {"-f", m_deb, "Depends"});
    QVERIFY(depends.waitForFinished(30000));
    const QString text = QString::fromUtf8(depends.readAllStandardOutput());
    for (const char* lib : {"libqt5widgets5", "libqt5sql5", "libqt5webkit5", "libx11-6"})
        QVERIFY2(text.contains(lib), qPrintable(text));
}

void TstPackage::libraryIsKeptInTheUsersDataDirectory_data()
{
    QTest::addColumn<bool>("soundsBesideProgram");
    QTest::newRow("installed under /usr") << false;
    // Not an installation: only the failed write probe sends the data home.
    QTest::newRow("portable folder, read-only") << true;
}

void TstPackage::libraryIsKeptInTheUsersDataDirectory()
{
    QFETCH(bool, soundsBesideProgram);
    QTemporaryDir tmp;
    const QString usr = tmp.path() + "/root/usr", home = tmp.path() + "/home";
    QVERIFY(run("dpkg-deb", {"-x", m_deb, tmp.path() + "/root"}) && QDir().mkpath(home));
    if (soundsBesideProgram)
        QVERIFY(QDir().rename(usr + "/share/lorvane/sound", usr + "/bin/sound"));
    const QStringList exec =
        QSettings(onlyFile(usr + "/share/applications", "*.desktop"), QSettings::IniFormat)
            .value("Desktop Entry/Exec")
            .toString()
            .split(' ');

    // Root ignores permission bits: a read-only bind mount in a private mount namespace makes
    // the folders really unwritable, and a write that still succeeds stops the run.
    const QString script =
        "mount --bind \"$1\" \"$1\" && mount -o remount,bind,ro \"$1\" || exit 96\n"
        "if touch \"$1/bin/.w\" 2>/dev/null; then exit 97; fi\n"
        "shift; exec \"$@\"";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        env.remove(name);
    env.insert("HOME", home);
    env.insert("PATH", usr + "/bin:" + env.value("PATH")); // the Exec line is found on PATH
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    // On a busy machine the program in the new namespace has now and then failed to reach
    // the display at all; such a start leaves nothing behind and is simply made again.
    QString window;
    for (int attempt = 0; attempt < 3 && p.state() != QProcess::Running; ++attempt) {
        p.start("unshare", QStringList{"-rm", "sh", "-c", script, "sh", usr} + exec);
        QVERIFY(p.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(
            p.state() != QProcess::Running || !(window = AppRunner::findWindow()).isEmpty(), 20000);
    }
    QVERIFY2(p.state() == QProcess::Running, qPrintable(QString::number(p.exitCode())));

    const QString data = home + "/.local/share/lorvane";
    const QString chapter = data + "/data/我的书籍/默认书名[1]/默认分卷[1]/默认章节[1].txt";
    QTRY_COMPARE_WITH_TIMEOUT(readBytes(chapter), QByteArray("默认章节[1]\n\n"), 5000);
    QCOMPARE(QSettings(data + "/config.ini", QSettings::IniFormat)
                 .value("curThemeOption/user_data_dir")
                 .toString(),
             data);
    // Typed into the editor (ASCII: xdotool drops remapped keys on a busy machine), saved by
    // opening the book.
    runTool("xdotool",
            {"mousemove", "--window", window, "600", "400", "click", "1", "sleep", "0.3"});
    runTool("xdotool", {"type", "--delay", "40", "hello lorvane"});
    runTool("xdotool",
            {"sleep", "0.3", "mousemove", "--window", window, "60", "110", "click", "1"});
    QTRY_COMPARE_WITH_TIMEOUT(readBytes(chapter), QByteArray("默认章节[1]\n\nhello lorvane"), 5000);
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TstPackage)
#include "tst_package.moc"
