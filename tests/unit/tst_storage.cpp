#include "support/testsupport.h"

#include "app/appdirs.h"
#include "app/messages.h"

#include "library/filecreate.h"
#include "library/textfile.h"
#include "library/txtbook.h"

#include <QTextCodec>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// Data safety: a save is whole or nothing, creating never empties a file, a whole-book import
// takes only text read without a fault, the author's data is never swapped for an empty folder.
class TstStorage : public QObject
{
    Q_OBJECT
private slots:
    void createAndSaveKeepWhatExists();
    void decoding_data();
    void decoding();
    void dataFolderChoice_data();
    void dataFolderChoice();
};

void TstStorage::createAndSaveKeepWhatExists()
{
    TestAppDir app;
    const QString path = app.file("chapter.txt");
    writeBytes(path, "keep me");
    QVERIFY(FileCreate::createFile(path) && FileCreate::createDir(path));
    QVERIFY(!FileCreate::createFile(app.file("missing/new.txt")));
    // A file-size limit makes the write fail part-way, as a full disk would (and it works
    // for root too, unlike permissions).
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit small = {1024, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = FileCreate::saveFile(path, QString(5000, QChar(0x4E00)));
    setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY(!written);
    QCOMPARE(readBytes(path), QByteArray("keep me"));
    QCOMPARE(QDir(app.path()).entryList(QDir::Files), QStringList{"chapter.txt"});
    QCOMPARE(app.messages,
             (QList<QPair<int, QString>>{{Messages::Error, "错误：不能新建文件，请检查是否有权限!"},
                                         {Messages::Error, "保存文件失败！"}}));
}

// What a chapter opens as (one replacement character per bad byte, the rest is the author's
// text), and whether a whole-book import takes the file: only when nothing was replaced.
void TstStorage::decoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wholeBook");
    const QString chinese = "天色已晚，客栈。𠀀\n";
    const auto codec = [](const char* name) { return QTextCodec::codecForName(name); };
    QTest::newRow("utf-16le, crlf and lone cr")
        << codec("UTF-16LE")->fromUnicode("\uFEFF一\r\n二\r") << "一\n二\n"
        << true;
    QTest::newRow("gb18030") << codec("GB18030")->fromUnicode(chinese) << chinese << true;
    QTest::newRow("utf-8 with a stray byte")
        << "天\xFF" + chinese.toUtf8() << "天\uFFFD" + chinese << false;
    QTest::newRow("binary with nul")
        << QByteArray("PK\0\0第", 7) << QString::fromUtf8("PK\0\0第", 7) << false;
}

void TstStorage::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, wholeBook);
    TestAppDir app;
    writeBytes(app.file("in.txt"), bytes);
    QString read, book;
    TextDecoder::Result decoded;
    QVERIFY(TextFile::read(app.file("in.txt"), &read, &decoded));
    QCOMPARE(read, text);
    QCOMPARE(decoded.clean, !text.contains(QChar::ReplacementCharacter));
    QCOMPARE(TxtBook::read(app.file("in.txt"), &book),
             wholeBook ? TxtBook::ReadResult::Ok : TxtBook::ReadResult::NotText);
    QCOMPARE(book, wholeBook ? text : QString());
}

// Beside the program only where the author's data already is or a portable copy was unpacked.
void TstStorage::dataFolderChoice_data()
{
    QTest::addColumn<QString>("holds"); // "installed": /usr/bin with its shared files
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("besideProgram");
    QTest::newRow("portable: writable folder") << "" << true << true;
    QTest::newRow("read-only folder") << "" << false << false;
    QTest::newRow("read-only, holds the index") << "sys.db" << false << true;
    // Root starting /usr/bin/lorvane can write there, and must still not.
    QTest::newRow("installation writable by root") << "installed" << true << false;
}

void TstStorage::dataFolderChoice()
{
    QFETCH(QString, holds);
    QFETCH(bool, writable);
    QTemporaryDir tmp;
    const QString program = tmp.path() + "/usr/bin", perUser = tmp.path() + "/home/lorvane";
    QVERIFY(QDir().mkpath(program) &&
            QDir().mkpath(holds == "installed" ? AppDirs::installedSoundDir(program)
                                               : program + "/sound"));
    if (holds.contains('.'))
        writeBytes(program + "/" + holds, "x");
    const QString chosen =
        AppDirs::chooseRoot(program, perUser, [&](const QString&) { return writable; });
    QFETCH(bool, besideProgram);
    QCOMPARE(chosen, besideProgram ? program : perUser);
    // Neither the choice nor the real probe leaves anything behind.
    QVERIFY(AppDirs::canWriteIn(program) && !AppDirs::canWriteIn(perUser));
    QVERIFY(!QFileInfo::exists(perUser));
    QCOMPARE(QDir(program).entryList(QDir::Files | QDir::Hidden).filter("probe"), QStringList());
}

QTEST_GUILESS_MAIN(TstStorage)
#include "tst_storage.moc"
