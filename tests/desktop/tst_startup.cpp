#include "apprunner.h"

#include <QSettings>
#include <QtTest>

#include <signal.h>

class TstStartup : public QObject
{
    Q_OBJECT
private slots:
    void oneInstancePerApplicationDirectoryEvenAfterAKill();
};

void TstStartup::oneInstancePerApplicationDirectoryEvenAfterAKill()
{
    AppRunner app;
    QVERIFY(app.isValid());
    QProcess* first = app.start();
    QVERIFY(!app.waitForWindow().isEmpty());
    // The application directory is the one the program was started from.
    QSettings ini(app.file("config.ini"), QSettings::IniFormat);
    QCOMPARE(ini.value("curThemeOption/user_data_dir").toString(), app.dir());
    QVERIFY(QFileInfo(app.file("data/我的书籍")).isDir());

    // A second start on the same directory ends at once with 0; the first runs on.
    QProcess* second = app.start();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    {
        // One in another directory is another instance.
        AppRunner elsewhere;
        QVERIFY(!elsewhere.start()->waitForFinished(2000));
    }

    // A killed instance must not block the next start.
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(5000));
    QProcess* third = app.start();
    QVERIFY(!third->waitForFinished(2000));
    QVERIFY(!app.waitForWindow().isEmpty());
}

QTEST_GUILESS_MAIN(TstStartup)
#include "tst_startup.moc"
