#include "apprunner.h"
#include "app/appdirs.h"
#include "support/testsupport.h"

#include <QDirIterator>
#include <QPluginLoader>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

#include <signal.h>

// The Debian package as a user gets it: built with CPack from this build, unpacked into a
// temporary root, checked by the desktop's own validators and started from its menu entry
// with a temporary HOME while the unpacked program's folders are mounted read-only.
class TstPackage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void packageHoldsTheInstalledFiles_data();
    void packageHoldsTheInstalledFiles();
    void programFindsItsInstalledSoundsAndPlugin();
    void desktopEntryAndMetainfoValidate();
    void libraryIsKeptInTheUsersDataDirectory_data();
    void libraryIsKeptInTheUsersDataDirectory();

private:
    QTemporaryDir m_work;
    QString m_deb;
    QString m_root;
    QStringList m_files;
};

namespace {

// Runs a command to its end; its output goes to the test log when it fails.
bool run(const QString& program, const QStringList& args, const QString& dir = QString())
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool ok = p.waitForFinished(240000) && p.exitStatus() == QProcess::NormalExit &&
                    p.exitCode() == 0;
    if (!ok)
        qWarning().noquote() << program << args.join(' ') << "failed:\n" << p.readAll();
    return ok;
}

QString onlyFile(const QString& dir, const QString& pattern)
{
    const QStringList found = QDir(dir).entryList({pattern}, QDir::Files);
    return found.size() == 1 ? dir + "/" + found.first() : QString();
}

void clickAt(const QString& window, int x, int y)
{
    runTool("xdotool", {"mousemove", "--window", window, QString::number(x), QString::number(y),
                        "click", "1"});
}

} // namespace

void TstPackage::initTestCase()
{
    QVERIFY(m_work.isValid());
    const QString build = qEnvironmentVariable("LORVANE_BUILD_DIR");
    QVERIFY(run("cpack", {"-G", "DEB", "-B", m_work.path() + "/out", "--config",
                          build + "/CPackConfig.cmake"},
                build));
    m_deb = onlyFile(m_work.path() + "/out", "lorvane_*.deb");
    QVERIFY2(!m_deb.isEmpty(), "no single lorvane_*.deb");
    m_root = m_work.path() + "/root";
    QVERIFY(run("dpkg-deb", {"-x", m_deb, m_root}));
    QDirIterator it(m_root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        m_files << it.next().mid(m_root.size() + 1);
}

void TstPackage::packageHoldsTheInstalledFiles_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("count");
    QTest::newRow("executable") << "^usr/bin/lorvane$" << 1;
    QTest::newRow("key sounds") << "^usr/share/lorvane/sound/(key|return|space|scroll|lock)\\.wav$"
                                << 5;
    QTest::newRow("browser plugin") << "^usr/lib/.*lorvane/plugins/liblorvane_browser\\.so$" << 1;
    QTest::newRow("menu entry") << "^usr/share/applications/[^/]+\\.desktop$" << 1;
    QTest::newRow("metainfo") << "^usr/share/metainfo/[^/]+\\.metainfo\\.xml$" << 1;
    QTest::newRow("sized icons") << "^usr/share/icons/hicolor/(\\d+)x\\1/apps/lorvane\\.png$" << 8;
    QTest::newRow("scalable icon") << "^usr/share/icons/hicolor/scalable/apps/lorvane\\.svg$" << 1;
    QTest::newRow("nothing outside /usr") << "^(?!usr/)" << 0;
    QTest::newRow("no data of a run") << "(config\\.ini|sys\\.db)$" << 0;
}

void TstPackage::packageHoldsTheInstalledFiles()
{
    QFETCH(QString, pattern);
    QFETCH(int, count);
    const QStringList matched = m_files.filter(QRegularExpression(pattern));
    QVERIFY2(matched.size() == count, qPrintable(m_files.join('\n')));
}

void TstPackage::programFindsItsInstalledSoundsAndPlugin()
{
    const QString bin = m_root + "/usr/bin";
    QVERIFY(QFileInfo(AppDirs::installedSoundDir(bin) + "/lock.wav").isFile());
    // Stripped as packaged, it must still be a plugin Qt accepts.
    QPluginLoader plugin(AppDirs::installedPluginDir(bin) + "/liblorvane_browser.so");
    QVERIFY2(plugin.load(), qPrintable(plugin.errorString()));
    // The dependencies come from the linked libraries, the plugin's included.
    QProcess fields;
    fields.start("dpkg-deb", {"-f", m_deb, "Depends"});
    QVERIFY(fields.waitForFinished(30000));
    const QString depends = QString::fromUtf8(fields.readAllStandardOutput());
    for (const char* lib : {"libqt5widgets5", "libqt5sql5", "libqt5webkit5", "libx11-6"})
        QVERIFY2(depends.contains(lib), qPrintable(depends));
}

void TstPackage::desktopEntryAndMetainfoValidate()
{
    const QString entry = onlyFile(m_root + "/usr/share/applications", "*.desktop");
    const QString metainfo = onlyFile(m_root + "/usr/share/metainfo", "*.metainfo.xml");
    QVERIFY(run("desktop-file-validate", {entry}));
    QVERIFY(run("appstreamcli", {"validate", "--no-net", metainfo}));
    QSettings desktop(entry, QSettings::IniFormat);
    desktop.setIniCodec("utf-8");
    QCOMPARE(desktop.value("Desktop Entry/Name").toString(), QString("Lorvane"));
    QCOMPARE(desktop.value("Desktop Entry/Name[zh_CN]").toString(), QString("Lorvane写作"));
}

void TstPackage::libraryIsKeptInTheUsersDataDirectory_data()
{
    QTest::addColumn<bool>("soundsBesideProgram");
    QTest::newRow("installed under /usr") << false;
    // A portable folder on a read-only medium: no installation, only the failed write probe
    // sends the data home.
    QTest::newRow("portable folder, read-only") << true;
}

void TstPackage::libraryIsKeptInTheUsersDataDirectory()
{
    QFETCH(bool, soundsBesideProgram);
    QTemporaryDir tmp;
    const QString root = tmp.path() + "/root";
    const QString home = tmp.path() + "/home";
    QVERIFY(run("dpkg-deb", {"-x", m_deb, root}) && QDir().mkpath(home));
    if (soundsBesideProgram)
        QVERIFY(QDir().rename(root + "/usr/share/lorvane/sound", root + "/usr/bin/sound"));

    // The command of the menu entry, found on PATH as the desktop would.
    QSettings desktop(onlyFile(root + "/usr/share/applications", "*.desktop"),
                      QSettings::IniFormat);
    const QStringList exec = desktop.value("Desktop Entry/Exec").toString().split(' ');
    QCOMPARE(exec, QStringList{"lorvane"});

    // root ignores permission bits, so the folders are made read-only by a bind mount in a
    // private mount namespace; a write that still succeeds stops the run.
    const QString script = "mount --bind \"$1\" \"$1\" && mount -o remount,bind,ro \"$1\" || exit 96\n"
                           "if touch \"$1/bin/.w\" 2>/dev/null; then exit 97; fi\n"
                           "shift; exec \"$@\"";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        env.remove(name);
    env.insert("HOME", home);
    env.insert("PATH", root + "/usr/bin:" + env.value("PATH"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start("unshare", QStringList{"-rm", "sh", "-c", script, "sh", root + "/usr"} + exec);
    QVERIFY(p.waitForStarted(5000));

    QString window;
    QTRY_VERIFY_WITH_TIMEOUT(p.state() != QProcess::Running ||
                                 !(window = runTool("xdotool", {"search", "--onlyvisible",
                                                                "--name", "Lorvane写作神器"}))
                                      .isEmpty(),
                             20000);
    QVERIFY2(p.state() == QProcess::Running, qPrintable(QString::number(p.exitCode())));
    window = window.section('\n', 0, 0);

    const QString data = home + "/.local/share/lorvane";
    const QString chapter = data + "/data/我的书籍/默认书名[1]/默认分卷[1]/默认章节[1].txt";
    QTRY_COMPARE_WITH_TIMEOUT(readBytes(chapter), QByteArray("默认章节[1]\n\n"), 5000);
    QSettings ini(data + "/config.ini", QSettings::IniFormat);
    ini.setIniCodec("utf-8");
    QCOMPARE(ini.value("curThemeOption/user_data_dir").toString(), data);
    for (const char* dir : {"sys.db", "data/回收站", "bak", "key"})
        QVERIFY2(QFileInfo::exists(data + "/" + dir), dir);

    runTool("xdotool", {"windowraise", window});
    clickAt(window, 600, 400);
    QTest::qWait(300);
    // ASCII only: xdotool loses remapped non-ASCII keys on a busy machine, and the encoding
    // is not what this test is about.
    runTool("xdotool", {"type", "--delay", "40", "hello lorvane"});
    QTest::qWait(300);
    clickAt(window, 200, 110);
    QTRY_COMPARE_WITH_TIMEOUT(readBytes(chapter), QByteArray("默认章节[1]\n\nhello lorvane"), 5000);

    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(!QFileInfo::exists(root + "/usr/bin/config.ini"));
}

QTEST_GUILESS_MAIN(TstPackage)
#include "tst_package.moc"
