// The POSIX platform layer. Power requests go to a stand-in login manager on the session bus
// (the test's own under dbus-run-session): the machine's system bus is never used.
#include "app/platform/login1power.h"
#include "app/platform/terminationwatcher.h"

#include <QDBusConnection>
#include <QDBusContext>
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
    // The stand-in answers on a connection of its own, so that calls cross the bus.
    FakeLogin1 fake;
    QDBusConnection fakeBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "fake");
    QVERIFY(fakeBus.registerObject("/org/freedesktop/login1", &fake,
                                   QDBusConnection::ExportScriptableSlots));
    QVERIFY(fakeBus.registerService("org.freedesktop.login1"));
    // A refusal arrives later, as the reply, and is only logged; without a bus nothing is sent.
    const QDBusConnection none = QDBusConnection::connectToBus("unix:path=/nonexistent", "none");
    using Action = DesktopServices::PowerAction;
    const std::tuple<Action, bool, const char*> rows[] = {
        {Action::PowerOff, false, "PowerOff(true)"},
        {Action::Reboot, true, "Reboot(true)"},
        {Action::PowerOff, false, nullptr}};
    for (const auto& [action, refuse, call] : rows) {
        fake.calls.clear();
        fake.refuse = refuse;
        if (refuse)
            QTest::ignoreMessage(QtWarningMsg,
                                 "login1 refused: Interactive authentication required.");
        if (!call)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^login1: no system bus:"));
        QCOMPARE(Login1Power::request(action, call ? QDBusConnection::sessionBus() : none), !!call);
        const QStringList once = call ? QStringList{call} : QStringList();
        QTRY_COMPARE(fake.calls, once);
        QTest::qWait(300); // nor asked again after a refusal
        QCOMPARE(fake.calls, once);
    }
    QDBusConnection::disconnectFromBus("none");
    QDBusConnection::disconnectFromBus("fake");
}

void TstPosixPlatform::signalsArriveOnTheEventLoop()
{
    struct sigaction before = {}, after = {};
    ::sigaction(SIGTERM, nullptr, &before);
    {
        TerminationWatcher watcher;
        QSignalSpy spy(&watcher, &TerminationWatcher::terminationRequested);
        for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
            // The process survives the signal; the request arrives as a Qt signal.
            ::raise(sig);
            QVERIFY(spy.wait(2000));
            QCOMPARE(spy.takeFirst().at(0).toInt(), sig);
        }
        // Only one watcher owns the handlers at a time.
        QVERIFY(watcher.isActive() && !TerminationWatcher().isActive());
    }
    ::sigaction(SIGTERM, nullptr, &after);
    QVERIFY(after.sa_handler == before.sa_handler);
}

QTEST_GUILESS_MAIN(TstPosixPlatform)
#include "tst_posixplatform.moc"
