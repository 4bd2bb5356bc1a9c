#include "app/platform/terminationwatcher.h"

#include <QtTest>

#include <csignal>

class TstTerminationWatcher : public QObject
{
    Q_OBJECT
private slots:
    void signalsArriveOnTheEventLoop();
};

void TstTerminationWatcher::signalsArriveOnTheEventLoop()
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

QTEST_GUILESS_MAIN(TstTerminationWatcher)
#include "tst_terminationwatcher.moc"
