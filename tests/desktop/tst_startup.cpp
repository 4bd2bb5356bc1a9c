#include "apprunner.h"

#include <QtTest>

#include <signal.h>

class TstStartup : public QObject
{
    Q_OBJECT
private slots:
    void oneInstancePerDirectoryAndOnlyTheLibrariesTheFirstWindowNeeds();
};

void TstStartup::oneInstancePerDirectoryAndOnlyTheLibrariesTheFirstWindowNeeds()
{
    const QByteArray chosenGL = qgetenv("QT_XCB_GL_INTEGRATION");
    qunsetenv("QT_XCB_GL_INTEGRATION");
    AppRunner app;
    QProcess* first = app.startShown();
    QVERIFY(first);
    // The widgets must be there, or the maps read are not the program's. The web engine
    // waits for the browser plugin; no OpenGL driver of any vendor unless one was asked for.
    QFile maps(QStringLiteral("/proc/%1/maps").arg(first->processId()));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray loaded = maps.readAll();
    QVERIFY(loaded.contains("/libQt5Widgets.so"));
    for (const char* library : {"/libqxcb-glx-integration.so", "/libGLX_", "/libQt5Multimedia.so",
                                "/libpulse.so", "/libQt5WebKit"})
        QVERIFY2(!loaded.contains(library), library);

    // A second start on the same directory ends at once with 0; the first runs on, and one
    // in another directory is another instance.
    QProcess* second = app.start();
    QVERIFY(second->waitForFinished(10000) && second->exitStatus() == QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    QVERIFY(!AppRunner().start()->waitForFinished(2000));

    // A killed instance does not block the next start.
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(5000));
    QProcess* next = app.startShown();
    QVERIFY(next);
    next->terminate();
    QVERIFY(next->waitForFinished(10000));

    // An integration the user chose is kept.
    qputenv("QT_XCB_GL_INTEGRATION", "xcb_glx");
    AppRunner chosen;
    QProcess* withGL = chosen.startShown();
    chosenGL.isNull() ? qunsetenv("QT_XCB_GL_INTEGRATION")
                      : qputenv("QT_XCB_GL_INTEGRATION", chosenGL);
    QVERIFY(withGL);
    QFile glMaps(QStringLiteral("/proc/%1/maps").arg(withGL->processId()));
    QVERIFY(glMaps.open(QIODevice::ReadOnly));
    QVERIFY(glMaps.readAll().contains("/libqxcb-glx-integration.so"));
}

QTEST_GUILESS_MAIN(TstStartup)
#include "tst_startup.moc"
