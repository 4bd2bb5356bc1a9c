#include "support/testsupport.h"

#include "library/filecreate.h"
#include "library/textfile.h"

#include <QTextCodec>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

class TstFileStore : public QObject
{
    Q_OBJECT
private slots:
    void createDirGuards();
    void createFileGuards();
    void saveFileGuards_data();
    void saveFileGuards();
    void saveFileKeepsOldContentWhenTheWriteFails();
    void readsEveryEncodingWeMeet_data();
    void readsEveryEncodingWeMeet();
    void writesUtf8WithoutBom();
    void deleteDirRemovesReadOnlyFiles();
    void copyRecursivelyCountsAndRefusesExistingTarget();
    void loadStyleSheet();
};

void TstFileStore::createDirGuards()
{
    TestAppDir app;
    QVERIFY(FileCreate::createDir(app.file("one")));
    QVERIFY(QFileInfo(app.file("one")).isDir());
    // An existing file is left alone, silently.
    writeBytes(app.file("plain"), "x");
    QVERIFY(FileCreate::createDir(app.file("plain")));
    QVERIFY(QFileInfo(app.file("plain")).isFile());
    QVERIFY(app.messages.isEmpty());
    // One level only: a missing parent is an error shown to the user.
    QVERIFY(!FileCreate::createDir(app.file("missing/child")));
    QCOMPARE(app.messages.size(), 1);
    QCOMPARE(app.messages[0].first, 2);
    QCOMPARE(app.messages[0].second, QString("文件夹创建失败"));
}

void TstFileStore::createFileGuards()
{
    TestAppDir app;
    writeBytes(app.file("has.txt"), "keep me");
    QVERIFY(FileCreate::createFile(app.file("has.txt")));
    QCOMPARE(readBytes(app.file("has.txt")), QByteArray("keep me"));
    QVERIFY(FileCreate::createFile(app.file("new.txt")));
    QVERIFY(QFileInfo(app.file("new.txt")).isFile());
    QCOMPARE(QFileInfo(app.file("new.txt")).size(), 0);
    QVERIFY(!FileCreate::createFile(app.file("nodir/new.txt")));
    QCOMPARE(app.messages.value(0).second, QString("错误：不能新建文件，请检查是否有权限!"));
}

void TstFileStore::saveFileGuards_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("nominal: rewrite") << true << QStringLiteral("第一章\n\n　　他来了。") << QStringLiteral("第一章\n\n　　他来了。").toUtf8();
    QTest::newRow("empty text writes nothing") << true << QString() << QByteArray("old text");
    QTest::newRow("missing file is not created") << false << QStringLiteral("new") << QByteArray();
    QTest::newRow("markup stays text") << true << QStringLiteral("<b>粗</b>&amp;") << QByteArray("<b>\xE7\xB2\x97</b>&amp;");
}

void TstFileStore::saveFileGuards()
{
    QFETCH(bool, exists);
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    TestAppDir app;
    const QString path = app.file("chapter.txt");
    if (exists)
        writeBytes(path, "old text");
    const bool written = FileCreate::saveFile(path, text);
    QCOMPARE(written, exists && !text.isEmpty());
    QCOMPARE(QFileInfo::exists(path), exists);
    QCOMPARE(readBytes(path), expected);
    QVERIFY(app.messages.isEmpty());
}

void TstFileStore::saveFileKeepsOldContentWhenTheWriteFails()
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
    QCOMPARE(app.messages.size(), 1);
    QCOMPARE(app.messages[0].second, QString("保存文件失败！"));
    QCOMPARE(QDir(app.path()).entryList(QDir::Files), QStringList{"chapter.txt"});
}

void TstFileStore::readsEveryEncodingWeMeet_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString chinese = QStringLiteral("　　天色已晚，他走进客栈。\n");
    QTest::newRow("utf-8") << chinese.toUtf8() << chinese;
    QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF") + chinese.toUtf8() << chinese;
    QTest::newRow("gb18030 from chinese windows")
        << QTextCodec::codecForName("GB18030")->fromUnicode(chinese) << chinese;
    QTest::newRow("crlf line ends") << QByteArray("a\r\nb\r\n") << QStringLiteral("a\nb\n");
    QTest::newRow("non-bmp") << QStringLiteral("𠀀字").toUtf8() << QStringLiteral("𠀀字");
}

void TstFileStore::readsEveryEncodingWeMeet()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    TestAppDir app;
    writeBytes(app.file("in.txt"), bytes);
    QString read;
    QVERIFY(TextFile::read(app.file("in.txt"), &read));
    QCOMPARE(read, text);
}

void TstFileStore::writesUtf8WithoutBom()
{
    TestAppDir app;
    const QString path = app.file("out.txt");
    writeBytes(path, "");
    const QString text = QStringLiteral("林'夕 𠀀 “引号”");
    QVERIFY(FileCreate::saveFile(path, text));
    QCOMPARE(readBytes(path), text.toUtf8());
    QString back;
    QVERIFY(TextFile::read(path, &back));
    QCOMPARE(back, text);
}

void TstFileStore::deleteDirRemovesReadOnlyFiles()
{
    TestAppDir app;
    writeBytes(app.file("book/vol/ch.txt"), "x");
    writeBytes(app.file("book/.hidden"), "y");
    writeBytes(app.file("book/index.txt"), "z");
    QFile::setPermissions(app.file("book/vol/ch.txt"), QFile::ReadOwner);
    QVERIFY(FileCreate::deleteDir(app.file("book")));
    QVERIFY(!QFileInfo::exists(app.file("book")));
    QVERIFY(FileCreate::deleteDir(app.file("never-was")));
}

void TstFileStore::copyRecursivelyCountsAndRefusesExistingTarget()
{
    TestAppDir app;
    writeBytes(app.file("src/a.txt"), "a");
    writeBytes(app.file("src/sub/b.txt"), "b");
    writeBytes(app.file("src/sub/.c"), "c");
    int count = 0;
    QVERIFY(FileCreate::copyRecursively(app.file("src"), app.file("dst"), &count));
    QCOMPARE(count, 3);
    QCOMPARE(readBytes(app.file("dst/sub/b.txt")), QByteArray("b"));

    QDir().mkdir(app.file("taken"));
    count = 0;
    QVERIFY(!FileCreate::copyRecursively(app.file("src"), app.file("taken"), &count));
    QCOMPARE(count, 0);
    QVERIFY(QDir(app.file("taken")).isEmpty());

    // A single file does not overwrite an existing one.
    writeBytes(app.file("one.txt"), "new");
    writeBytes(app.file("two.txt"), "old");
    QVERIFY(!FileCreate::copyRecursively(app.file("one.txt"), app.file("two.txt"), &count));
    QCOMPARE(readBytes(app.file("two.txt")), QByteArray("old"));
}

void TstFileStore::loadStyleSheet()
{
    TestAppDir app;
    QVERIFY(!FileCreate::loadStyleSheet("gray").isEmpty());
    QVERIFY(FileCreate::loadStyleSheet("no-such-sheet").isEmpty());
}

QTEST_MAIN(TstFileStore)
#include "tst_filestore.moc"
