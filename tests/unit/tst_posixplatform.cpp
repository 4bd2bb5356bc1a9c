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
    void requestReachesTheLoginManagerOnce();
    void signalsArriveOnTheEventLoop();
};

void TstPosixPlatform::requestReachesTheLoginManagerOnce()
{
    // A session-type bus of our own, listening only inside the temporary directory.
    QTemporaryDir dir;
    QProcess daemon;
    daemon.start("dbus-daemon", {"--session", "--address=unix:path=" + dir.filePath("bus"),
                                 "--nofork", "--print-address"});
    QVERIFY(daemon.waitForStarted(5000) && daemon.waitForReadyRead(10000));
    const QByteArray address = daemon.readLine().trimmed();
    QVERIFY(address.startsWith("unix:path=" + dir.path().toUtf8()));
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
    FakeLogin1 fake;
    QDBusConnection fakeBus = QDBusConnection::connectToBus(QString(address), "fake-login1");
    QVERIFY(fakeBus.registerObject("/org/freedesktop/login1", &fake,
                                   QDBusConnection::ExportScriptableSlots));
    QVERIFY(fakeBus.registerService("org.freedesktop.login1"));
    // The code under test uses the system bus; it must be the private one, or nothing runs.
    QCOMPARE(
        QDBusConnection::systemBus().interface()->serviceOwner("org.freedesktop.login1").value(),
        fakeBus.baseService());

    // A refusal arrives later, as the reply, and is only logged; without a bus nothing is
    // sent.
    const QDBusConnection none =
        QDBusConnection::connectToBus("unix:path=" + dir.filePath("nothing-listens-here"), "none");
    using Action = DesktopServices::PowerAction;
    const std::tuple<Action, bool, const char*> rows[] = {
        {Action::PowerOff, false, "PowerOff(true)"},
        {Action::Reboot, false, "Reboot(true)"},
        {Action::PowerOff, true, "PowerOff(true)"},
        {Action::Reboot, false, nullptr}};
    for (const auto& [action, refuse, call] : rows) {
        fake.calls.clear();
        fake.refuse = refuse;
        if (refuse)
            QTest::ignoreMessage(QtWarningMsg,
                                 "login1 refused: Interactive authentication required.");
        if (!call)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^login1: no system bus:"));
        QCOMPARE(Login1Power::request(action, call ? QDBusConnection::systemBus() : none), !!call);
        const QStringList once = call ? QStringList{call} : QStringList();
        QTRY_COMPARE(fake.calls, once);
        QTest::qWait(refuse ? 1000 : 200);
        QCOMPARE(fake.calls, once);
    }
    QDBusConnection::disconnectFromBus("none");
    QDBusConnection::disconnectFromBus("fake-login1");
    daemon.terminate();
    daemon.waitForFinished(5000);
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
