#include "app/appdirs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TstAppDirs : public QObject
{
    Q_OBJECT
private slots:
    void dataStaysBesideTheProgramOnlyWhereItBelongs_data();
    void dataStaysBesideTheProgramOnlyWhereItBelongs();
};

void TstAppDirs::dataStaysBesideTheProgramOnlyWhereItBelongs_data()
{
    QTest::addColumn<QString>("holds"); // already beside the program; a trailing / is a folder
    QTest::addColumn<bool>("installedLayout");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("besideProgram");
    QTest::newRow("portable: writable folder") << "" << false << true << true;
    QTest::newRow("read-only folder") << "" << false << false << false;
    // The author's books sit there; the save-failure messages tell why nothing is written.
    QTest::newRow("read-only, holds config.ini") << "config.ini" << false << false << true;
    QTest::newRow("read-only, config.ini deleted") << "sys.db" << false << false << true;
    QTest::newRow("read-only, only the library") << "data/我的书籍/" << false << false << true;
    QTest::newRow("read-only, unrelated file") << "notes.txt" << false << false << false;
    // Root starting /usr/bin/lorvane can write there, and must still not.
    QTest::newRow("installation writable by root") << "" << true << true << false;
}

void TstAppDirs::dataStaysBesideTheProgramOnlyWhereItBelongs()
{
    QFETCH(QString, holds);
    QFETCH(bool, installedLayout);
    QFETCH(bool, writable);
    QFETCH(bool, besideProgram);
    QTemporaryDir tmp;
    const QString program = tmp.path() + "/usr/bin", perUser = tmp.path() + "/home/lorvane";
    const QString sounds =
        installedLayout ? AppDirs::installedSoundDir(program) : program + "/sound";
    QVERIFY(QDir().mkpath(program) && QDir().mkpath(sounds));
    QFile mark(program + "/" + holds);
    QVERIFY(holds.isEmpty() || (holds.endsWith('/') ? QDir().mkpath(mark.fileName())
                                                    : mark.open(QIODevice::WriteOnly)));

    QStringList probed;
    const QString chosen = AppDirs::chooseRoot(program, perUser, [&](const QString& dir) {
        probed << dir;
        return writable;
    });
    QCOMPARE(chosen, besideProgram ? program : perUser);
    // Only the program's own folder is probed, and the choice creates nothing.
    QVERIFY(probed.isEmpty() || probed == QStringList{program});
    QVERIFY(!QFileInfo::exists(perUser));
    // The real probe creates a file in an existing folder and removes it again.
    QVERIFY(AppDirs::canWriteIn(program) && !AppDirs::canWriteIn(perUser));
    QCOMPARE(QDir(program).entryList(QDir::Files | QDir::Hidden).filter("probe"), QStringList());
}

QTEST_GUILESS_MAIN(TstAppDirs)
#include "tst_appdirs.moc"
