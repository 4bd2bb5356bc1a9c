#include "support/testsupport.h"

#include "library/bookimport.h"
#include "library/catalognames.h"
#include "library/catalogstore.h"
#include "library/naturalorder.h"
#include "library/sqliteoper.h"
#include "library/txtbook.h"

#include <QSqlQuery>
#include <QtTest>

// Catalog rules. A rename never leaves its directory, an import never copies into itself, no
// chapter name of a whole book in one text file can take another's file or be lost.
class TstCatalogRules : public QObject
{
    Q_OBJECT
private slots:
    void namesTitlesAndRenames();
    void swapSortsExchangesBothOrNeither();
    void naturalOrder();
    void importRefusals();
    void wholeBookSplit_data();
    void wholeBookSplit();
};

void TstCatalogRules::namesTitlesAndRenames()
{
    const QList<QPair<QString, bool>> names = {
        {"林'夕", true}, {"上.txt篇", true}, {"序章\u3000", false}, {"序\n章", false}};
    for (const auto& [name, safe] : names)
        QVERIFY2(CatalogNames::isSafeName(name) == safe, qPrintable(name));
    // A chapter renamed from 甲 to 序章: only a title line (the old name or blank) follows.
    const QList<QPair<QString, QString>> texts = {
        {"\u3000\u3000甲 \n正文", "\u3000\u3000序章\n\n正文"},
        {"\n正文", "序章\n\n正文"},
        {"\u3000\u3000甲说：走。\n正文", "\u3000\u3000甲说：走。\n正文"}};
    for (const auto& [text, expected] : texts)
        QCOMPARE(CatalogNames::retitled(text, "甲", "序章"), expected);
    // A rename out of the directory, to no name or into an existing empty directory fails.
    TestAppDir app;
    const QString dir = app.path() + "/卷/";
    writeBytes(dir + "甲.txt", "甲的正文");
    QDir().mkdir(dir + "空");
    for (const QString& to : {dir + "../逃.txt", QString(), dir + "空"})
        QVERIFY(!CatalogNames::renameEntry(dir + "甲.txt", to));
    QCOMPARE(readBytes(dir + "甲.txt"), QByteArray("甲的正文"));
}

void TstCatalogRules::swapSortsExchangesBothOrNeither()
{
    TestAppDir app;
    SqliteOper::ensureBooksTable();
    QVERIFY(CatalogStore::insertItem(3, "甲", "url", 3, 2, 1));
    QVERIFY(CatalogStore::insertItem(4, "乙", "url", 3, 2, 2.5));
    // The second row refuses: the first keeps its value too.
    QVERIFY(QSqlQuery().exec("create trigger refuse before update on books when new.id = 4 "
                             "begin select raise(abort, 'no'); end"));
    QVERIFY(!CatalogStore::swapSorts(3, 4));
    QCOMPARE(CatalogStore::sortsOf(3, 4), QVector<float>({1, 2.5f}));
}

// Imported chapters and volumes come in this order, whatever order the disk gives.
void TstCatalogRules::naturalOrder()
{
    const QStringList orders[] = {
        {"第1章", "第２章", "第10章", "第１００章"},
        {"第一卷", "第二卷", "第十卷", "第十一卷", "第二十卷", "第一百零五卷"},
        {"1", "序章", "番外", "第2章 上", "第2章 下"}};
    for (const QStringList& ordered : orders)
        for (QStringList names : {ordered, QStringList{ordered.rbegin(), ordered.rend()}}) {
            NaturalOrder::sort(names);
            QCOMPARE(names, ordered);
        }
}

void TstCatalogRules::importRefusals()
{
    TestAppDir app;
    for (const char* dir : {"data/我的书籍/旧书/卷", "外/新书", "外/只在树里"})
        QDir().mkpath(app.file(dir));
    writeBytes(app.file("外/文件"), "x");
    QFile::link(app.file("data/我的书籍/旧书"), app.file("链接"));
    using R = BookImport::Refusal;
    const QList<QPair<QString, R>> sources = {{"外/新书", R::None},
                                              {"data/我的书籍/旧书", R::IntoItself},
                                              {"链接/卷", R::IntoItself},
                                              {"外/只在树里", R::NameTaken},
                                              {"外/文件", R::NotADirectory}};
    const QString library = app.file("data/我的书籍");
    for (const auto& [source, refusal] : sources)
        QVERIFY2(BookImport::check(app.file(source), library, {"只在树里"}) == refusal,
                 qPrintable(source));
}

// A whole book in one text file: each volume's name, then each chapter's name and file text.
void TstCatalogRules::wholeBookSplit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("warnings");
    QTest::newRow("text before the first heading, no volumes")
        << "前言的话\n\n第1章 起\n\n　　甲段\n\n\n第2章\n　　丙\n"
        << QStringList{"正文", "  序: 序||前言的话", "  第1章 起: 第1章 起||　　甲段",
                       "  第2章: 第2章||　　丙"}
        << 0;
    QTest::newRow("a chapter before the first volume opens it; empty chapter")
        << "楔子\n引\n第一卷 风\n第1章\n一\n第二卷\n第1章\n\n"
        << QStringList{"第一卷 风", "  楔子: 楔子||引", "  第1章: 第1章||一", "第二卷",
                       "  第1章: 第1章||"}
        << 1;
    // Dialogue, quotes and ordinals that start like a heading, and a too long line, are text.
    QTest::newRow("what is a heading")
        << "下卷\n第１２章\n第三章写完了吗？他问。\n“第一章就这样？”\n第二回合，他赢了\n第1章 " +
               QString(40, QChar(0x98CE)) + "\n　　第一千零一章：风起　\n甲\nChapter 12: Dawn\n乙"
        << QStringList{"下卷",
                       "  第１２章: "
                       "第１２章||第三章写完了吗？他问。|“第一章就这样？”|第二回合，他赢了|"
                       "第1章 " +
                           QString(40, QChar(0x98CE)),
                       "  第一千零一章：风起: 第一千零一章：风起||甲",
                       "  Chapter 12： Dawn: Chapter 12: Dawn||乙"}
        << 1;
    QTest::newRow("unsafe, reserved and repeated names")
        << "第1章 a/b\nx\n第1章 a/b\ny\nCHAPTER 1\nz\nchapter 1\nw\n"
        << QStringList{"正文", "  第1章 a／b: 第1章 a/b||x", "  第1章 a／b[2]: 第1章 a/b||y",
                       "  CHAPTER 1: CHAPTER 1||z", "  chapter 1[2]: chapter 1||w"}
        << 3;
    QTest::newRow("no chapter headings: cut at paragraph ends")
        << "第一卷\n" + QString(2000, 'a') + "\n\n" + QString(1500, 'b') + "\n" + QString(10, 'c')
        << QStringList{"第一卷", "  1: 1||" + QString(2000, 'a') + "||" + QString(1500, 'b'),
                       "  2: 2||" + QString(10, 'c')}
        << 0;
    QTest::newRow("the program's own export, texts exactly")
        << "\n\n\n上卷    第1章\n\n\n第1章\n\n甲\n\n\n\n上卷    index\n\n\n乙\n\n\n下卷    丙\n\n\n"
        << QStringList{"上卷", "  第1章: 第1章||甲|", "  index[2]: 乙", "下卷", "  丙: "} << 2;
}

void TstCatalogRules::wholeBookSplit()
{
    QFETCH(QString, text);
    const TxtBook::Plan plan = TxtBook::plan(text, TxtSplit::Rules(TxtSplit::defaultPatterns()));
    QStringList outline;
    for (const TxtBook::Volume& v : plan.volumes) {
        outline << v.name;
        for (const TxtBook::Chapter& c : v.chapters)
            outline << "  " + c.name + ": " +
                           TxtBook::fileText(plan.mode, c.found, nullptr).replace('\n', '|');
    }
    QTEST(outline, "expected");
    QTEST(int(plan.warnings.size()), "warnings");
}

QTEST_GUILESS_MAIN(TstCatalogRules)
#include "tst_catalogrules.moc"
