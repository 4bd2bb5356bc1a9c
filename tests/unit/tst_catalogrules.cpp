#include "support/testsupport.h"

#include "library/bookimport.h"
#include "library/catalognames.h"
#include "library/catalogstore.h"
#include "library/naturalorder.h"
#include "library/recyclebin.h"
#include "library/sqliteoper.h"

#include <QSqlQuery>
#include <QtTest>

Q_DECLARE_METATYPE(BookImport::Refusal)

// Rules of the catalog: names and renames, the stored rows, the recycle bin's copies and what
// an import reads. Data safety: a rename or a copy never replaces anything, nothing outside
// the bin is removed, imports never copy into themselves.
class TstCatalogRules : public QObject
{
    Q_OBJECT
private slots:
    void namesAndTitles();
    void renameEntryStaysInPlace();
    void swapSortsExchangesBothOrNeither();
    void naturalOrder();
    void recycleCopies();
    void importRefusals_data();
    void importRefusals();
    void bookListing();
};

void TstCatalogRules::namesAndTitles()
{
    const QList<QPair<QString, bool>> names = {
        {"林'夕", true}, {"上.txt篇", true}, {"序章\u3000", false}, {"序\n章", false}};
    for (const auto& [name, safe] : names)
        QVERIFY2(CatalogNames::isSafeName(name) == safe, qPrintable(name));

    // A chapter renamed from 甲 to 序章: only a title line (the old name or blank) follows.
    const QList<QPair<QString, QString>> texts = {
        {"甲\n\n正文", "序章\n\n\n正文"},
        {"\u3000\u3000甲 \n正文", "\u3000\u3000序章\n\n正文"},
        {"\n正文", "序章\n\n正文"},
        {"", "序章\n\n"},
        {"\u3000\u3000甲说：走。\n正文", "\u3000\u3000甲说：走。\n正文"},
        {"乙", "乙"}};
    for (const auto& [text, expected] : texts)
        QCOMPARE(CatalogNames::retitled(text, "甲", "序章"), expected);
}

void TstCatalogRules::renameEntryStaysInPlace()
{
    TestAppDir app;
    const QString dir = app.path() + "/卷/";
    writeBytes(dir + "甲.txt", "甲的正文");
    writeBytes(dir + "乙.txt", "乙的正文");
    // A clash, an escape from the directory and an empty path change nothing; an existing
    // empty directory is not merged into.
    QDir().mkdir(dir + "空");
    for (const QString& to : {dir + "乙.txt", dir + "../逃.txt", QString(), dir + "空"})
        QVERIFY(!CatalogNames::renameEntry(dir + "甲.txt", to));
    QCOMPARE(readBytes(dir + "甲.txt"), QByteArray("甲的正文"));
    QCOMPARE(readBytes(dir + "乙.txt"), QByteArray("乙的正文"));
    QVERIFY(!QFileInfo::exists(app.path() + "/逃.txt"));
}

void TstCatalogRules::swapSortsExchangesBothOrNeither()
{
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    QVERIFY(CatalogStore::insertItem(3, "甲", "url", 3, 2, 1));
    QVERIFY(CatalogStore::insertItem(4, "乙", "url", 3, 2, 2.5));
    QVERIFY(CatalogStore::swapSorts(3, 4));
    QCOMPARE(CatalogStore::sortsOf(3, 4), QVector<float>({2.5f, 1}));
    QVERIFY(!CatalogStore::swapSorts(99, 3));
    // The second row refuses: the first keeps its value too.
    QVERIFY(QSqlQuery().exec("create trigger refuse before update on books when new.id = 4 "
                             "begin select raise(abort, 'no'); end"));
    QVERIFY(!CatalogStore::swapSorts(3, 4));
    QCOMPARE(CatalogStore::sortsOf(3, 4), QVector<float>({2.5f, 1}));
}

// Imported chapters and volumes come in this order, whatever order the disk gives.
void TstCatalogRules::naturalOrder()
{
    const QStringList orders[] = {
        {"第1章", "第２章", "第10章", "第１００章"},
        {"第一卷", "第二卷", "第十卷", "第十一卷", "第二十卷", "第一百零五卷"},
        {"1", "序章", "番外", "第2章 上", "第2章 下"}};
    for (const QStringList& ordered : orders) {
        for (QStringList names : {ordered, QStringList{ordered.rbegin(), ordered.rend()}}) {
            NaturalOrder::sort(names);
            QCOMPARE(names, ordered);
        }
    }
}

void TstCatalogRules::recycleCopies()
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
    QCOMPARE(readBytes(chapter), QByteArray("甲的正文"));
    QCOMPARE(QDir(bin).entryList(QDir::Files), QStringList({"书_卷_甲_5.txt"}));
}

void TstCatalogRules::importRefusals_data()
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

void TstCatalogRules::importRefusals()
{
    QFETCH(QString, source);
    TestAppDir app;
    for (const char* dir : {"data/我的书籍/旧书/卷", "外/新书", "外/旧书", "外/只在树里"})
        QDir().mkpath(app.file(dir));
    writeBytes(app.file("外/文件"), "x");
    QFile::link(app.file("data/我的书籍/旧书"), app.file("链接"));
    QTEST(BookImport::check(app.file(source), app.file("data/我的书籍"), {"只在树里"}), "refusal");
}

void TstCatalogRules::bookListing()
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
    QCOMPARE(volumes[0].name + volumes[0].chapters.join(','), QString("第二卷"));
    QCOMPARE(volumes[1].name, QString("第十卷"));
    QCOMPARE(volumes[1].chapters, QStringList({"上.txt篇", "第2章", "第3章", "第10章"}));
    // A Windows ending is lowered in place; a twin of an existing chapter is kept and named.
    QCOMPARE(readBytes(book + "/第十卷/第3章.txt"), QByteArray("第十卷/第3章.TXT"));
    QCOMPARE(readBytes(book + "/第十卷/第2章.txt"), QByteArray("第十卷/第2章.txt"));
    QCOMPARE(BookImport::unindexedFiles(book, volumes),
             QStringList({".git/第5章.txt", "序.txt", "第二卷/封面.jpg", "第二卷/深处/第9章.txt",
                          "第十卷/第2章.Txt"}));
}

QTEST_GUILESS_MAIN(TstCatalogRules)
#include "tst_catalogrules.moc"
