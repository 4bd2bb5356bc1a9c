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
    QSettings ini(app.file("config.ini"), QSettings::IniFormat);
    ini.setIniCodec("utf-8");
    QCOMPARE(ini.value("curThemeOption/user_data_dir").toString(), app.dir());
    QCOMPARE(ini.value("UIOption_4/font_set").toString(), QString("文泉驿微米黑"));
    QCOMPARE(ini.value("chapterOption/word_pre_chapters").toString(), QString("3000"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
        db.setDatabaseName(app.file("sys.db"));
        QVERIFY(db.open());
        QSqlQuery q("select count(*) from books where del = 0", db);
        QVERIFY(q.first());
        QCOMPARE(q.value(0).toInt(), 3); // the starter book, volume and chapter
    }
    QSqlDatabase::removeDatabase("check");

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

void TstStartup::librariesAtTheFirstWindow_data()
{
    QTest::addColumn<QByteArray>("glIntegration"); // empty: not set
    QTest::addColumn<bool>("openGL");
    QTest::newRow("nominal: nothing chosen, no OpenGL") << QByteArray() << false;
    QTest::newRow("an integration the user chose is kept") << QByteArray("xcb_glx") << true;
}

void TstStartup::librariesAtTheFirstWindow()
{
    QFETCH(QByteArray, glIntegration);
    QFETCH(bool, openGL);
    const QByteArray previous = qgetenv("QT_XCB_GL_INTEGRATION");
    if (glIntegration.isEmpty())
        qunsetenv("QT_XCB_GL_INTEGRATION");
    else
        qputenv("QT_XCB_GL_INTEGRATION", glIntegration);
    AppRunner app;
    QVERIFY(app.isValid());
    QProcess* p = app.start();
    if (previous.isNull())
        qunsetenv("QT_XCB_GL_INTEGRATION");
    else
        qputenv("QT_XCB_GL_INTEGRATION", previous);
    QVERIFY(!app.waitForWindow().isEmpty());
    QFile mapsFile(QStringLiteral("/proc/%1/maps").arg(p->processId()));
    QVERIFY(mapsFile.open(QIODevice::ReadOnly));
    const QByteArray maps = mapsFile.readAll();
    const struct {
        const char* library;
        bool mapped;
    } expected[] = {
        // The widgets must be there, or the maps read are not the program's.
        {"/libQt5Widgets.so", true},
        {"/libqxcb-glx-integration.so", openGL},
        {"/libQt5Multimedia.so", false},
        {"/libpulse.so", false},
    };
    for (const auto& e : expected)
        QVERIFY2(maps.contains(e.library) == e.mapped, e.library);
    // No OpenGL driver of any vendor unless one was asked for.
    if (!openGL)
        QVERIFY2(!maps.contains("/libGLX_"), "an OpenGL driver");
}

QTEST_GUILESS_MAIN(TstStartup)
#include "tst_startup.moc"
