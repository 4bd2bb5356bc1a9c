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

QTEST_GUILESS_MAIN(TstStartup)
#include "tst_startup.moc"
