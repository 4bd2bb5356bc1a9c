// The POSIX platform layer. Power-off and restart requests go to a stand-in login manager on
// a private bus: the test's own dbus-daemon, reached through DBUS_SYSTEM_BUS_ADDRESS. The
// machine's real system bus is never contacted.
#include "app/platform/login1power.h"
#include "app/platform/terminationwatcher.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class FakeLogin1 : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    QStringList calls;
    bool refuse = false;

public slots:
    Q_SCRIPTABLE void PowerOff(bool interactive) { record("PowerOff", interactive); }
    Q_SCRIPTABLE void Reboot(bool interactive) { record("Reboot", interactive); }

private:
    void record(const QString& method, bool interactive)
    {
        calls << method + (interactive ? "(true)" : "(false)");
        if (refuse)
            sendErrorReply(QDBusError::AccessDenied, "Interactive authentication required.");
    }
};

class TstPosixPlatform : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void requestReachesTheLoginManagerOnce_data();
    void requestReachesTheLoginManagerOnce();
    void noBusSendsNothing();
    void signalsArriveOnTheEventLoop();

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    FakeLogin1 m_fake;
};

void TstPosixPlatform::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // A session-type bus of our own, listening only inside the temporary directory.
    m_daemon.start("dbus-daemon", {"--session", "--address=unix:path=" + m_dir.filePath("bus"),
                                   "--nofork", "--print-address"});
    QVERIFY(m_daemon.waitForStarted(5000));
    QVERIFY(m_daemon.waitForReadyRead(10000));
    const QByteArray address = m_daemon.readLine().trimmed();
    QVERIFY(address.startsWith("unix:path=" + m_dir.path().toUtf8()));
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);

    QDBusConnection fakeBus = QDBusConnection::connectToBus(QString(address), "fake-login1");
    QVERIFY(fakeBus.isConnected());
    QVERIFY(fakeBus.registerObject("/org/freedesktop/login1", &m_fake,
                                   QDBusConnection::ExportScriptableSlots));
    QVERIFY(fakeBus.registerService("org.freedesktop.login1"));

    // The code under test uses the system bus; it must be the private one, or nothing runs.
    QDBusConnection system = QDBusConnection::systemBus();
    QVERIFY(system.isConnected());
    QCOMPARE(system.interface()->serviceOwner("org.freedesktop.login1").value(),
             fakeBus.baseService());
}

void TstPosixPlatform::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus("fake-login1");
    m_daemon.terminate();
    m_daemon.waitForFinished(5000);
}

void TstPosixPlatform::init()
{
    m_fake.calls.clear();
    m_fake.refuse = false;
}

void TstPosixPlatform::requestReachesTheLoginManagerOnce_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("refuse");
    QTest::addColumn<QString>("call");
    const int off = int(DesktopServices::PowerAction::PowerOff);
    QTest::newRow("shutdown") << off << false << "PowerOff(true)";
    QTest::newRow("restart") << int(DesktopServices::PowerAction::Reboot) << false
                             << "Reboot(true)";
    // The refusal arrives later, as the reply, and is only logged.
    QTest::newRow("refused") << off << true << "PowerOff(true)";
}

void TstPosixPlatform::requestReachesTheLoginManagerOnce()
{
    QFETCH(int, action);
    QFETCH(bool, refuse);
    QFETCH(QString, call);
    m_fake.refuse = refuse;
    if (refuse)
        QTest::ignoreMessage(QtWarningMsg, "login1 refused: Interactive authentication required.");
    QVERIFY(Login1Power::request(DesktopServices::PowerAction(action)));
    QTRY_COMPARE(m_fake.calls, QStringList{call});
    QTest::qWait(refuse ? 1000 : 200);
    QCOMPARE(m_fake.calls, QStringList{call});
}

void TstPosixPlatform::noBusSendsNothing()
{
    const QDBusConnection none = QDBusConnection::connectToBus(
        "unix:path=" + m_dir.filePath("nothing-listens-here"), "no-bus");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^login1: no system bus:"));
    QVERIFY(!Login1Power::request(DesktopServices::PowerAction::Reboot, none));
    QDBusConnection::disconnectFromBus("no-bus");
    QTest::qWait(200);
    QCOMPARE(m_fake.calls, QStringList());
}

void TstPosixPlatform::signalsArriveOnTheEventLoop()
{
    struct sigaction before = {};
    ::sigaction(SIGTERM, nullptr, &before);
    {
        TerminationWatcher watcher;
        QVERIFY(watcher.isActive());
        QSignalSpy spy(&watcher, &TerminationWatcher::terminationRequested);
        for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
            // The process survives the signal; the request arrives as a Qt signal.
            ::raise(sig);
            QVERIFY(spy.wait(2000));
            QCOMPARE(spy.takeFirst().at(0).toInt(), sig);
        }
        // Only one watcher owns the handlers at a time.
        TerminationWatcher second;
        QVERIFY(!second.isActive());
    }
    struct sigaction after = {};
    ::sigaction(SIGTERM, nullptr, &after);
    QVERIFY(after.sa_handler == before.sa_handler);
}

QTEST_GUILESS_MAIN(TstPosixPlatform)
#include "tst_posixplatform.moc"
