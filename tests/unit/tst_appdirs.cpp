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
    void writeProbeCreatesARealFileAndLeavesNothing();
};

void TstAppDirs::dataStaysBesideTheProgramOnlyWhereItBelongs_data()
{
    QTest::addColumn<QString>("holds"); // a file or folder already beside the program
    QTest::addColumn<bool>("installedLayout");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("besideProgram");
    QTest::newRow("portable: writable folder") << "" << false << true << true;
    QTest::newRow("installed: read-only folder") << "" << false << false << false;
    // The author's books sit there; the save-failure messages tell why nothing is written.
    QTest::newRow("read-only folder that holds config.ini") << "config.ini" << false << false
                                                            << true;
    QTest::newRow("read-only folder, config.ini deleted, index left") << "sys.db" << false
                                                                      << false << true;
    QTest::newRow("read-only folder, only the library left") << "data/我的书籍/" << false
                                                             << false << true;
    QTest::newRow("read-only folder holding an unrelated file") << "notes.txt" << false << false
                                                                << false;
    // Root starting /usr/bin/lorvane can write there, and must still not.
    QTest::newRow("system installation writable by root") << "" << true << true << false;
    QTest::newRow("system installation that holds config.ini") << "config.ini" << true << true
                                                               << true;
}

void TstAppDirs::dataStaysBesideTheProgramOnlyWhereItBelongs()
{
    QFETCH(QString, holds);
    QFETCH(bool, installedLayout);
    QFETCH(bool, writable);
    QFETCH(bool, besideProgram);
    QTemporaryDir tmp;
    const QString program = tmp.path() + "/usr/bin";
    const QString perUser = tmp.path() + "/home/.local/share/lorvane";
    QVERIFY(QDir().mkpath(program));
    if (holds.endsWith('/')) {
        QVERIFY(QDir().mkpath(program + "/" + holds));
    } else if (!holds.isEmpty()) {
        QFile mark(program + "/" + holds);
        QVERIFY(mark.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir().mkpath(installedLayout ? AppDirs::installedSoundDir(program)
                                          : program + "/sound"));

    QStringList probed;
    const QString chosen = AppDirs::chooseRoot(program, perUser, [&](const QString& dir) {
        probed << dir;
        return writable;
    });
    QCOMPARE(chosen, besideProgram ? program : perUser);
    // Only the program's own folder is ever probed, and nothing is created by the choice.
    QVERIFY(probed.isEmpty() || probed == QStringList{program});
    QVERIFY(!QFileInfo::exists(perUser));
}

void TstAppDirs::writeProbeCreatesARealFileAndLeavesNothing()
{
    QTemporaryDir tmp;
    QVERIFY(AppDirs::canWriteIn(tmp.path()));
    QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
    QVERIFY(!AppDirs::canWriteIn(tmp.path() + "/missing"));
    QFile file(tmp.path() + "/file");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(!AppDirs::canWriteIn(file.fileName()));
}

QTEST_GUILESS_MAIN(TstAppDirs)
#include "tst_appdirs.moc"
