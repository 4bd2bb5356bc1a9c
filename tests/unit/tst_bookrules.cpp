#include "support/testsupport.h"

#include "library/bookimport.h"
#include "library/naturalorder.h"
#include "library/recyclebin.h"

#include <QtTest>

Q_DECLARE_METATYPE(BookImport::Refusal)

// Data safety: a copy never replaces an earlier one; nothing outside the bin is removed;
// imports never copy into themselves.
class TstBookRules : public QObject
{
    Q_OBJECT
private slots:
    void naturalOrder_data();
    void naturalOrder();
    void recycleCopies();
    void importRefusals_data();
    void importRefusals();
    void bookListing();
};

void TstBookRules::naturalOrder_data()
{
    QTest::addColumn<QStringList>("ordered");
    QTest::newRow("arabic, full-width") << QStringList{"第1章", "第２章", "第10章", "第１００章"};
    QTest::newRow("chinese") << QStringList{"第一卷",   "第二卷",   "第十卷",
                                            "第十一卷", "第二十卷", "第一百零五卷"};
    QTest::newRow("numbers before text, text by character")
        << QStringList{"1", "序章", "番外", "第2章 上", "第2章 下"};
    QTest::newRow("same value written differently") << QStringList{"第01章", "第1章", "第一章"};
}

void TstBookRules::naturalOrder()
{
    QFETCH(QStringList, ordered);
    for (QStringList names : {ordered, QStringList{ordered.rbegin(), ordered.rend()}}) {
        NaturalOrder::sort(names);
        QCOMPARE(names, ordered);
    }
}

void TstBookRules::recycleCopies()
{
    TestAppDir app;
    const QString bin = app.file("bin");
    const QString chapter = app.file("书/卷/甲.txt");
    writeBytes(chapter, "甲的正文");
    writeBytes(bin + "/书_卷_甲_5.txt", "earlier");

    // A name already taken moves on to the next millisecond; the earlier copy stays.
    QString copy;
    QVERIFY(RecycleBin::keepChapter(chapter, bin, "书", "卷", "甲", 5, &copy));
    QCOMPARE(copy, bin + "/书_卷_甲_6.txt");
    QCOMPARE(readBytes(copy), QByteArray("甲的正文"));
    QCOMPARE(readBytes(bin + "/书_卷_甲_5.txt"), QByteArray("earlier"));

    // Nothing on disk: nothing to keep, and nothing is made up.
    QString none;
    QVERIFY(RecycleBin::keepChapter(app.file("书/卷/无.txt"), bin, "书", "卷", "无", 8, &none));
    QVERIFY(none.isEmpty());

    // Taking a copy back removes that copy only, never anything outside the bin.
    for (const QString& path : {copy, app.file("书"), bin})
        RecycleBin::discardCopy(path, bin);
    QVERIFY(!QFileInfo::exists(copy));
    QCOMPARE(readBytes(chapter), QByteArray("甲的正文"));
    QCOMPARE(QDir(bin).entryList(QDir::Files), QStringList({"书_卷_甲_5.txt"}));
}

void TstBookRules::importRefusals_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<BookImport::Refusal>("refusal");
    const auto into = BookImport::Refusal::IntoItself;
    const auto taken = BookImport::Refusal::NameTaken;
    QTest::newRow("a book from outside") << "外/新书" << BookImport::Refusal::None;
    QTest::newRow("a book of the library") << "data/我的书籍/旧书" << into;
    QTest::newRow("a volume of the library, by a link") << "链接/卷" << into;
    QTest::newRow("same name as a directory of the library") << "外/旧书" << taken;
    QTest::newRow("same name as a book in the tree") << "外/只在树里" << taken;
    QTest::newRow("not a directory") << "外/文件" << BookImport::Refusal::NotADirectory;
}

void TstBookRules::importRefusals()
{
    QFETCH(QString, source);
    TestAppDir app;
    for (const char* dir : {"data/我的书籍/旧书/卷", "外/新书", "外/旧书", "外/只在树里"})
        QDir().mkpath(app.file(dir));
    writeBytes(app.file("外/文件"), "x");
    QFile::link(app.file("data/我的书籍/旧书"), app.file("链接"));
    QTEST(BookImport::check(app.file(source), app.file("data/我的书籍"), {"只在树里"}), "refusal");
}

void TstBookRules::bookListing()
{
    TestAppDir app;
    const QString book = app.file("书");
    for (const char* f : {"第十卷/第2章.txt", "第十卷/第10章.txt", "第十卷/上.txt篇.txt",
                          "第十卷/index.txt", "第十卷/第3章.TXT", "第十卷/第2章.Txt",
                          "第二卷/封面.jpg", "第二卷/深处/第9章.txt", "序.txt", ".git/第5章.txt"})
        writeBytes(book + "/" + f, f);
    BookImport::lowerTxtEndings(book);
    const QVector<BookImport::Volume> volumes = BookImport::readBook(book);
    QCOMPARE(volumes.size(), 2);
    QCOMPARE(volumes[0].name, QString("第二卷"));
    QCOMPARE(volumes[0].chapters, QStringList());
    QCOMPARE(volumes[1].name, QString("第十卷"));
    QCOMPARE(volumes[1].chapters, QStringList({"上.txt篇", "第2章", "第3章", "第10章"}));
    // A Windows ending is lowered in place; a twin of an existing chapter is kept and named.
    QCOMPARE(readBytes(book + "/第十卷/第3章.txt"), QByteArray("第十卷/第3章.TXT"));
    QCOMPARE(readBytes(book + "/第十卷/第2章.txt"), QByteArray("第十卷/第2章.txt"));
    QCOMPARE(BookImport::unindexedFiles(book, volumes),
             QStringList({".git/第5章.txt", "序.txt", "第二卷/封面.jpg", "第二卷/深处/第9章.txt",
                          "第十卷/第2章.Txt"}));
}

QTEST_GUILESS_MAIN(TstBookRules)
#include "tst_bookrules.moc"
