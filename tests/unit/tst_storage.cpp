#include "support/testsupport.h"

#include "app/messages.h"

#include "library/filecreate.h"
#include "library/sqliteoper.h"
#include "library/textfile.h"

#include <QSqlQuery>
#include <QTextCodec>
#include <QtTest>

#include <csignal>
#include <limits>
#include <sys/resource.h>

// Data safety: a save is whole or not at all; creating never empties a file that exists;
// text is read as UTF-8 or GB18030 (what a save writes, the random-operation test checks).
class TstStorage : public QObject
{
    Q_OBJECT
private slots:
    void createNeverEmptiesAFile();
    void saveFileIsWholeOrNothing();
    void readsEveryEncodingWeMeet_data();
    void readsEveryEncodingWeMeet();
    void deleteAndCopyDirectories();
    void bookIndexCounts_data();
    void bookIndexCounts();
};

void TstStorage::createNeverEmptiesAFile()
{
    TestAppDir app;
    writeBytes(app.file("has.txt"), "keep me");
    QVERIFY(FileCreate::createFile(app.file("has.txt")));
    QVERIFY(FileCreate::createDir(app.file("has.txt")));
    QCOMPARE(readBytes(app.file("has.txt")), QByteArray("keep me"));
    QVERIFY(app.messages.isEmpty());
    QVERIFY(!FileCreate::createDir(app.file("missing/child")));
    QVERIFY(!FileCreate::createFile(app.file("missing/new.txt")));
    const QList<QPair<int, QString>> shown{
        {Messages::Error, "文件夹创建失败"},
        {Messages::Error, "错误：不能新建文件，请检查是否有权限!"}};
    QCOMPARE(app.messages, shown);
}

void TstStorage::saveFileIsWholeOrNothing()
{
    TestAppDir app;
    const QString path = app.file("chapter.txt");
    writeBytes(path, "the previous paragraph");
    // A file-size limit makes the write fail part-way, as a full disk would (and it works
    // for root too, unlike permissions).
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = FileCreate::saveFile(path, QString(5000, QChar(0x4E00)));
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY(!written);
    QCOMPARE(readBytes(path), QByteArray("the previous paragraph"));
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{Messages::Error, "保存文件失败！"}}));
    QCOMPARE(QDir(app.path()).entryList(QDir::Files), QStringList{"chapter.txt"});
}

void TstStorage::readsEveryEncodingWeMeet_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<bool>("clean");
    const QString chinese = "　　天色已晚，他不走进客栈。𠀀\n";
    const QByteArray utf8 = chinese.toUtf8();
    const QString bad = QString(QChar::ReplacementCharacter);
    const auto utf16 = [](const char* codec, const QString& text) {
        return QTextCodec::codecForName(codec)->fromUnicode("\uFEFF" + text);
    };
    QTest::newRow("utf-8 with bom") << "\xEF\xBB\xBF" + utf8 << chinese << 0 << true;
    QTest::newRow("utf-16le with bom") << utf16("UTF-16LE", chinese + "\r\n") << chinese + "\n"
                                       << 1 << true;
    QTest::newRow("utf-16be with bom") << utf16("UTF-16BE", chinese) << chinese << 2 << true;
    QTest::newRow("gb18030 from chinese windows")
        << QTextCodec::codecForName("GB18030")->fromUnicode(chinese) << chinese << 3 << true;
    // One bad byte stays one replacement character; the rest is the author's text.
    QTest::newRow("utf-8 with a stray byte")
        << utf8.left(9) + "\xFF" + utf8.mid(9) << chinese.left(3) + bad + chinese.mid(3) << 0
        << false;
    QTest::newRow("utf-8 cut inside the last character")
        << utf8 + utf8.left(2) << chinese + bad + bad << 0 << false;
    QTest::newRow("not gb18030 either")
        << QByteArray("ab\xFF\x80") << "ab" + bad + bad << 0 << false;
}

void TstStorage::readsEveryEncodingWeMeet()
{
    QFETCH(QByteArray, bytes);
    TestAppDir app;
    writeBytes(app.file("in.txt"), bytes);
    QString read;
    TextDecoder::Result decoded;
    QVERIFY(TextFile::read(app.file("in.txt"), &read, &decoded));
    QTEST(read, "text");
    QTEST(int(decoded.encoding), "encoding");
    QTEST(decoded.clean, "clean");
}

void TstStorage::deleteAndCopyDirectories()
{
    TestAppDir app;
    writeBytes(app.file("src/a.txt"), "a");
    writeBytes(app.file("src/sub/.b"), "b");
    int count = 0;
    QVERIFY(FileCreate::copyRecursively(app.file("src"), app.file("dst"), &count));
    QCOMPARE(count, 2);
    QCOMPARE(readBytes(app.file("dst/sub/.b")), QByteArray("b"));
    // An existing directory is never written into.
    QVERIFY(!FileCreate::copyRecursively(app.file("src"), app.file("dst/sub"), &count));
    QCOMPARE(count, 2);
    QVERIFY(!QFileInfo::exists(app.file("dst/sub/a.txt")));
    // Read-only and hidden files go with their directory.
    QFile::setPermissions(app.file("dst/a.txt"), QFile::ReadOwner);
    QVERIFY(FileCreate::deleteDir(app.file("dst")));
    QVERIFY(!QFileInfo::exists(app.file("dst")));
}

void TstStorage::bookIndexCounts_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("maxId");
    QTest::addColumn<float>("maxSort");
    QTest::addColumn<int>("children");
    QTest::addColumn<int>("live");
    QTest::newRow("deleted rows count, but are not live") << "rows" << 4 << 1.5f << 2 << 2;
    // Failures must never read as an empty library, which would reuse ids.
    QTest::newRow("database cannot open") << "unopenable" << -1 << -1.0f << -1 << -1;
    QTest::newRow("table missing")
        << "dropped" << -1 << std::numeric_limits<float>::quiet_NaN() << -1 << -1;
}

void TstStorage::bookIndexCounts()
{
    QFETCH(QString, state);
    TestAppDir app;
    // The index lives in the application directory, wherever the program was started.
    QTemporaryDir elsewhere;
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    if (state == "unopenable")
        QDir().mkdir(app.file("sys.db"));
    SqliteOper::ensureBooksTable();
    if (state == "rows") {
        for (const char* row : {"1,'书','u',1,0,1,0", "2,'卷','u',2,1,1,0", "3,'甲','u',3,2,1,1",
                                "4,'乙','u',3,2,1.5,1"})
            QVERIFY(QSqlQuery().exec(QString("insert into books values(%1)").arg(row)));
        SqliteOper::ensureBooksTable(); // the next start keeps them
    }
    if (state == "dropped")
        QVERIFY(QSqlQuery().exec("drop table books"));
    QDir::setCurrent(cwd);
    QVERIFY(QDir(elsewhere.path()).isEmpty());
    QTEST(SqliteOper::maxId(), "maxId");
    QTEST(SqliteOper::maxSort(2), "maxSort");
    QTEST(SqliteOper::childCount(2), "children");
    QTEST(SqliteOper::liveCount(), "live");
}

QTEST_MAIN(TstStorage)
#include "tst_storage.moc"
