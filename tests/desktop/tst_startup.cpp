#include "apprunner.h"

#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <signal.h>

class TstStartup : public QObject
{
    Q_OBJECT
private slots:
    void firstStartSecondStartAndStartAfterKill();
    void twoApplicationDirectoriesRunSideBySide();
};

static QStringList booksTables(const QString& dbPath)
{
    QStringList names;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
        db.setDatabaseName(dbPath);
        if (db.open()) {
            QSqlQuery q("select name from sqlite_master where type='table'", db);
            while (q.next())
                names << q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase("check");
    return names;
}

void TstStartup::firstStartSecondStartAndStartAfterKill()
{
    AppRunner app;
    QVERIFY(app.isValid());
    QProcess* first = app.start();
    QVERIFY(!app.waitForWindow().isEmpty());
    for (const char* dir : {"data", "data/我的书籍", "data/回收站", "bak", "key"})
        QVERIFY2(QFileInfo(app.file(QString::fromUtf8(dir))).isDir(), dir);
    {
        QSettings ini(app.file("config.ini"), QSettings::IniFormat);
        ini.setIniCodec("utf-8");
        QCOMPARE(ini.value("curThemeOption/user_data_dir").toString(), app.dir());
        QCOMPARE(ini.value("UIOption_4/font_set").toString(), QString("文泉驿微米黑"));
        QCOMPARE(ini.value("chapterOption/word_pre_chapters").toString(), QString("3000"));
    }
    QVERIFY(booksTables(app.file("sys.db")).contains("books"));

    // A second start on the same directory ends at once with 0; the first runs on.
    QProcess* second = app.start();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);

    // A killed instance must not block the next start.
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(5000));
    QProcess* third = app.start();
    QVERIFY(!third->waitForFinished(2000));
    QCOMPARE(third->state(), QProcess::Running);
    QVERIFY(!app.waitForWindow().isEmpty());
}

void TstStartup::twoApplicationDirectoriesRunSideBySide()
{
    AppRunner one;
    AppRunner two;
    QProcess* a = one.start();
    QProcess* b = two.start();
    QVERIFY(!a->waitForFinished(2000));
    QVERIFY(!b->waitForFinished(100));
    QCOMPARE(a->state(), QProcess::Running);
    QCOMPARE(b->state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TstStartup)
#include "tst_startup.moc"
