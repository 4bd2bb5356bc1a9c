#include "support/testsupport.h"

#include "library/bookexport.h"
#include "library/bookimport.h"
#include "library/catalognames.h"
#include "library/catalogpaths.h"
#include "library/naturalorder.h"
#include "library/recyclebin.h"

#include <QTextCodec>
#include <QtTest>

// Data safety: copies into the recycle bin are checked byte for byte and never replace an
// earlier copy; a failed copy leaves nothing behind and nothing outside the bin is ever
// removed; imports are refused where they would copy into themselves or share a book's
// directory; export reads chapters in either encoding and keeps every character.
class TstBookRules : public QObject
{
    Q_OBJECT
private slots:
    void insertSort_data();
    void insertSort();
    void naturalOrder_data();
    void naturalOrder();
    void chineseNumerals_data();
    void chineseNumerals();
    void recycleCopies();
    void importRefusals_data();
    void importRefusals();
    void chapterNames_data();
    void chapterNames();
    void bookListing();
    void exportText_data();
    void exportText();
};

void TstBookRules::insertSort_data()
{
    QTest::addColumn<QVector<float>>("found");
    QTest::addColumn<float>("sort");
    QTest::newRow("between 2 and 3") << QVector<float>{2, 3} << 2.5f;
    QTest::newRow("neighbours in either order") << QVector<float>{3, 2} << 2.5f;
    QTest::newRow("first chapter: half its sort") << QVector<float>{1} << 0.5f;
    QTest::newRow("halving again") << QVector<float>{1, 1.5f} << 1.25f;
    QTest::newRow("rows gone") << QVector<float>{} << 0.0f;
}

void TstBookRules::insertSort()
{
    QFETCH(QVector<float>, found);
    QFETCH(float, sort);
    QCOMPARE(CatalogNames::insertSort(found), sort);
}

void TstBookRules::naturalOrder_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("ordered");
    QTest::newRow("arabic numbers")
        << QStringList{"第10章", "第2章", "第1章", "第100章"}
        << QStringList{"第1章", "第2章", "第10章", "第100章"};
    QTest::newRow("chinese numbers")
        << QStringList{"第十一卷", "第三卷", "第十卷", "第二卷", "第一卷", "第二十卷"}
        << QStringList{"第一卷", "第二卷", "第三卷", "第十卷", "第十一卷", "第二十卷"};
    QTest::newRow("full-width digits") << QStringList{"第１２章", "第３章"}
                                       << QStringList{"第３章", "第１２章"};
    QTest::newRow("numbers before text, text by character")
        << QStringList{"番外", "第2章 下", "第2章 上", "序章", "1"}
        << QStringList{"1", "序章", "番外", "第2章 上", "第2章 下"};
    QTest::newRow("same value, written differently: still one order")
        << QStringList{"第一章", "第01章", "第1章"} << QStringList{"第01章", "第1章", "第一章"};
}

void TstBookRules::naturalOrder()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, ordered);
    NaturalOrder::sort(names);
    QCOMPARE(names, ordered);
    std::reverse(names.begin(), names.end());
    NaturalOrder::sort(names);
    QCOMPARE(names, ordered);
}

void TstBookRules::chineseNumerals_data()
{
    QTest::addColumn<QString>("run");
    QTest::addColumn<qint64>("value");
    QTest::newRow("十二") << "十二" << qint64(12);
    QTest::newRow("二十") << "二十" << qint64(20);
    QTest::newRow("一百零五") << "一百零五" << qint64(105);
    QTest::newRow("一万二千") << "一万二千" << qint64(12000);
    QTest::newRow("一亿二千万") << "一亿二千万" << qint64(120000000);
    QTest::newRow("two digits in a row") << "二三" << qint64(-1);
}

void TstBookRules::chineseNumerals()
{
    QFETCH(QString, run);
    QFETCH(qint64, value);
    QCOMPARE(NaturalOrder::chineseValue(run), value);
}

void TstBookRules::recycleCopies()
{
    TestAppDir app;
    const QString bin = app.file("bin");
    QDir().mkdir(bin);
    writeBytes(app.file("书/卷/甲.txt"), "甲的正文");
    writeBytes(app.file("书/index.txt"), "");
    QCOMPARE(RecycleBin::chapterCopyName("书", "卷", "甲", 1700000000123),
             QString("书_卷_甲_1700000000123.txt"));

    // A name already taken moves on to the next millisecond; the earlier copy stays.
    writeBytes(bin + "/书_卷_甲_5.txt", "earlier");
    QString copy;
    QVERIFY(RecycleBin::keepChapter(app.file("书/卷/甲.txt"), bin, "书", "卷", "甲", 5, &copy));
    QCOMPARE(copy, bin + "/书_卷_甲_6.txt");
    QCOMPARE(readBytes(copy), QByteArray("甲的正文"));
    QCOMPARE(readBytes(bin + "/书_卷_甲_5.txt"), QByteArray("earlier"));

    int files = 0;
    QVERIFY(RecycleBin::keepBook(app.file("书"), bin, "书", 7, &copy, &files));
    QCOMPARE(copy, bin + "/书_7");
    QCOMPARE(files, 2);
    QCOMPARE(readBytes(copy + "/卷/甲.txt"), QByteArray("甲的正文"));
    QVERIFY(QFileInfo(copy + "/index.txt").isFile());

    // Nothing on disk: nothing to keep, and nothing is made up.
    QVERIFY(RecycleBin::keepChapter(app.file("书/卷/无.txt"), bin, "书", "卷", "无", 8, &copy));
    QVERIFY(copy.isEmpty());

    // A bin that cannot take the copy: refused, nothing left behind, the original as it was.
    const QString brokenBin = app.file("not-a-dir");
    writeBytes(brokenBin, "a file");
    QVERIFY(!RecycleBin::keepBook(app.file("书"), brokenBin, "书", 9, &copy, &files));
    QVERIFY(!RecycleBin::keepChapter(app.file("书/卷/甲.txt"), brokenBin, "书", "卷", "甲", 9, &copy));
    QCOMPARE(readBytes(brokenBin), QByteArray("a file"));
    QCOMPARE(readBytes(app.file("书/卷/甲.txt")), QByteArray("甲的正文"));

    // Taking a copy back removes that copy only, never anything outside the bin.
    RecycleBin::discardCopy(bin + "/书_7", bin);
    RecycleBin::discardCopy(app.file("书"), bin);
    RecycleBin::discardCopy(bin, bin);
    RecycleBin::discardCopy(QString(), bin);
    QVERIFY(!QFileInfo::exists(bin + "/书_7"));
    QVERIFY(QFileInfo(app.file("书/卷/甲.txt")).isFile());
    QCOMPARE(QDir(bin).entryList(QDir::Files), QStringList({"书_卷_甲_5.txt", "书_卷_甲_6.txt"}));
}

void TstBookRules::importRefusals_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("refusal");
    const int into = int(BookImport::Refusal::IntoItself);
    const int taken = int(BookImport::Refusal::NameTaken);
    QTest::newRow("a book from outside") << "外/新书" << int(BookImport::Refusal::None);
    QTest::newRow("quote in the name") << "外/林'夕" << int(BookImport::Refusal::None);
    QTest::newRow("the application directory") << "" << into;
    QTest::newRow("data/") << "data" << into;
    QTest::newRow("the library") << "data/我的书籍" << into;
    QTest::newRow("a book of the library") << "data/我的书籍/旧书" << into;
    QTest::newRow("a volume of the library, by a link") << "链接/卷" << into;
    QTest::newRow("same name as a book directory") << "外/旧书" << taken;
    QTest::newRow("same name as a book in the tree") << "外/只在树里" << taken;
    QTest::newRow("not a directory") << "外/文件" << int(BookImport::Refusal::NotADirectory);
}

void TstBookRules::importRefusals()
{
    QFETCH(QString, source);
    QFETCH(int, refusal);
    TestAppDir app;
    for (const char* dir : {"data/我的书籍/旧书/卷", "外/新书", "外/林'夕", "外/旧书", "外/只在树里"})
        QDir().mkpath(app.file(dir));
    writeBytes(app.file("外/文件"), "x");
    QFile::link(app.file("data/我的书籍/旧书"), app.file("链接"));
    const int got = int(BookImport::check(app.file(source), app.file("data/我的书籍"),
                                          {"旧书", "只在树里"}));
    QCOMPARE(got, refusal);
}

void TstBookRules::chapterNames_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("chapter");
    QTest::newRow("chapter") << "第1章.txt" << "第1章";
    QTest::newRow(".txt inside the name stays") << "上.txt篇.txt" << "上.txt篇";
    QTest::newRow("the volume's own text") << "index.txt" << "";
    QTest::newRow("other ending") << "封面.jpg" << "";
    QTest::newRow("upper-case ending") << "第2章.TXT" << "";
    QTest::newRow("bare ending") << ".txt" << "";
}

void TstBookRules::chapterNames()
{
    QFETCH(QString, file);
    QFETCH(QString, chapter);
    QCOMPARE(BookImport::chapterName(file), chapter);
}

void TstBookRules::bookListing()
{
    TestAppDir app;
    const QString book = app.file("书");
    for (const char* f : {"第十卷/第2章.txt", "第十卷/第10章.txt", "第十卷/第1章.txt", "第十卷/index.txt",
                          "第二卷/封面.jpg", "第二卷/深处/第9章.txt", "序.txt", ".git/第5章.txt"})
        writeBytes(book + "/" + f, "x");
    const QVector<BookImport::Volume> volumes = BookImport::readBook(book);
    QCOMPARE(volumes.size(), 2);
    QCOMPARE(volumes[0].name, QString("第二卷"));
    QCOMPARE(volumes[0].chapters, QStringList());
    QCOMPARE(volumes[1].name, QString("第十卷"));
    QCOMPARE(volumes[1].chapters, QStringList({"第1章", "第2章", "第10章"}));
}

void TstBookRules::exportText_data()
{
    QTest::addColumn<QStringList>("chapters");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QString>("text");
    const QString one = "\n\n\n上卷    一\n\n\n一的正文\n第二行";
    const QString two = "\n\n\n上卷    二\n\n\n“二”";
    QTest::newRow("in the given order, GB18030 read") << QStringList{"二", "一"} << true << two + one;
    QTest::newRow("an unreadable chapter ends it") << QStringList{"一", "丢", "二"} << false << one;
    QTest::newRow("no chapters") << QStringList{} << true << "";
}

void TstBookRules::exportText()
{
    QFETCH(QStringList, chapters);
    QFETCH(bool, complete);
    QFETCH(QString, text);
    TestAppDir app;
    writeBytes(app.file("书/上卷/一.txt"), "一的正文\n第二行");
    writeBytes(app.file("书/上卷/二.txt"), QTextCodec::codecForName("GB18030")->fromUnicode("“二”"));
    QVector<BookExport::Chapter> list;
    for (const QString& name : chapters)
        list.append({"上卷", name});
    QString assembled;
    QCOMPARE(BookExport::assemble(app.file("书"), list, &assembled), complete);
    QCOMPARE(assembled, text);
}

QTEST_GUILESS_MAIN(TstBookRules)
#include "tst_bookrules.moc"
