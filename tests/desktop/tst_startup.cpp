#include "apprunner.h"

#include <QSettings>
#include <QtTest>

#include <signal.h>

class TstStartup : public QObject
{
    Q_OBJECT
private slots:
    void oneInstancePerApplicationDirectoryEvenAfterAKill();
    void librariesAtTheFirstWindow_data();
    void librariesAtTheFirstWindow();
};

void TstStartup::oneInstancePerApplicationDirectoryEvenAfterAKill()
{
    AppRunner app;
    QVERIFY(app.isValid());
    QProcess* first = app.start();
    QVERIFY(!app.waitForWindow().isEmpty());
    // The first start lays out its application directory, wherever it was started from.
    for (const char* dir : {"data/我的书籍", "data/回收站", "bak", "key"})
        QVERIFY2(QFileInfo(app.file(QString::fromUtf8(dir))).isDir(), dir);
    QCOMPARE(QSettings(app.file("config.ini"), QSettings::IniFormat)
                 .value("curThemeOption/user_data_dir")
                 .toString(),
             app.dir());

    // A second start on the same directory ends at once with 0; the first runs on, and one
    // in another directory is another instance.
    QProcess* second = app.start();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    QVERIFY(!AppRunner().start()->waitForFinished(2000));

    // A killed instance must not block the next start.
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(5000));
    QVERIFY(!app.start()->waitForFinished(2000));
    QVERIFY(!app.waitForWindow().isEmpty());
}

void TstStartup::librariesAtTheFirstWindow_data()
{
    QTest::addColumn<QByteArray>("glIntegration"); // empty: not set
    QTest::newRow("nominal: nothing chosen, no OpenGL") << QByteArray();
    QTest::newRow("an integration the user chose is kept") << QByteArray("xcb_glx");
}

void TstStartup::librariesAtTheFirstWindow()
{
    QFETCH(QByteArray, glIntegration);
    const QByteArray previous = qgetenv("QT_XCB_GL_INTEGRATION");
    glIntegration.isEmpty() ? qunsetenv("QT_XCB_GL_INTEGRATION")
                            : qputenv("QT_XCB_GL_INTEGRATION", glIntegration);
    AppRunner app;
    QProcess* p = app.start();
    previous.isNull() ? qunsetenv("QT_XCB_GL_INTEGRATION")
                      : qputenv("QT_XCB_GL_INTEGRATION", previous);
    QVERIFY(!app.waitForWindow().isEmpty());
    QFile mapsFile(QStringLiteral("/proc/%1/maps").arg(p->processId()));
    QVERIFY(mapsFile.open(QIODevice::ReadOnly));
    const QByteArray maps = mapsFile.readAll();
    // The widgets must be there, or the maps read are not the program's. The web engine
    // waits for the browser plugin; no OpenGL driver of any vendor unless one was asked for.
    const bool openGL = !glIntegration.isEmpty();
    const std::pair<const char*, bool> expected[] = {{"/libQt5Widgets.so", true},
                                                     {"/libqxcb-glx-integration.so", openGL},
                                                     {"/libQt5Multimedia.so", false},
                                                     {"/libpulse.so", false},
                                                     {"/libQt5WebKit", false}};
    for (const auto& [library, mapped] : expected)
        QVERIFY2(maps.contains(library) == mapped, library);
    QVERIFY2(openGL || !maps.contains("/libGLX_"), "an OpenGL driver");
}

QTEST_GUILESS_MAIN(TstStartup)
#include "tst_startup.moc"
