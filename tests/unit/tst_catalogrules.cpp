#include "support/testsupport.h"

#include "library/catalogitem.h"
#include "library/catalognames.h"
#include "library/catalogpaths.h"

#include <QStandardItemModel>
#include <QtTest>

#include <limits>

class TstCatalogRules : public QObject
{
    Q_OBJECT
private slots:
    void kindAndPathOfEachItem_data();
    void kindAndPathOfEachItem();
    void sortNumbers();
    void freeNumberSkipsTakenNames();
    void safeNames_data();
    void safeNames();
    void retitled_data();
    void retitled();
    void renameEntryStaysInPlace();
};

namespace {
const QString kPrefix = QStringLiteral("/a/data/我的书籍/");

// 书 > 卷 > 章, plus an item that carries no kind.
struct Library {
    QStandardItemModel model;
    Library()
    {
        QStandardItem* book = Catalog::makeItem(Catalog::Book, "林'夕的书", 1);
        QStandardItem* volume = Catalog::makeItem(Catalog::Volume, "上.txt篇", 2);
        volume->appendRow(Catalog::makeItem(Catalog::Chapter, "第一章", 3));
        book->appendRow(volume);
        model.appendRow(book);
        model.appendRow(new QStandardItem("无类"));
    }
    QModelIndex at(const QString& which)
    {
        const QModelIndex book = model.index(0, 0);
        if (which == "book")
            return book;
        if (which == "volume")
            return model.index(0, 0, book);
        if (which == "chapter")
            return model.index(0, 0, model.index(0, 0, book));
        if (which == "none")
            return model.index(1, 0);
        return QModelIndex();
    }
};
} // namespace

void TstCatalogRules::kindAndPathOfEachItem_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("file");
    QTest::newRow("book") << "book" << 1 << kPrefix + "林'夕的书" << kPrefix + "林'夕的书/index.txt";
    QTest::newRow("volume: .txt inside the name is only a name")
        << "volume" << 2 << kPrefix + "林'夕的书/上.txt篇" << kPrefix + "林'夕的书/上.txt篇/index.txt";
    QTest::newRow("chapter") << "chapter" << 3 << kPrefix + "林'夕的书/上.txt篇/第一章"
                             << kPrefix + "林'夕的书/上.txt篇/第一章.txt";
    QTest::newRow("item without kind") << "none" << 0 << kPrefix << QString();
    QTest::newRow("empty area") << "invalid" << 0 << kPrefix << QString();
}

void TstCatalogRules::kindAndPathOfEachItem()
{
    QFETCH(QString, which);
    QFETCH(int, kind);
    QFETCH(QString, path);
    QFETCH(QString, file);
    Library lib;
    const QModelIndex index = lib.at(which);
    QCOMPARE(int(Catalog::kindOf(index)), kind);
    QCOMPARE(Catalog::itemPath(index, kPrefix), path);
    QCOMPARE(Catalog::itemFile(index, kPrefix), file);
    if (!file.isEmpty())
        QCOMPARE(Catalog::statusPath(file, kPrefix), file.mid(kPrefix.size()));
}

void TstCatalogRules::sortNumbers()
{
    QCOMPARE(CatalogNames::numberText(1), QString("1"));
    QCOMPARE(CatalogNames::numberText(4.5), QString("4.5"));
    QCOMPARE(CatalogNames::numberText(1234567), QString("1.23457e+06"));
    QCOMPARE(CatalogNames::nextSort(0.0f), 1);
    QCOMPARE(CatalogNames::nextSort(2.0f), 3);
    QCOMPARE(CatalogNames::nextSort(2.5f), 3);
    QCOMPARE(CatalogNames::nextSort(std::numeric_limits<float>::quiet_NaN()), 1);
    QCOMPARE(CatalogNames::nextSort(-1.0f), 1);
}

void TstCatalogRules::freeNumberSkipsTakenNames()
{
    TestAppDir app;
    const QString dir = app.path() + "/";
    writeBytes(dir + "默认章节[3].txt", "an author's chapter");
    QDir().mkdir(dir + "默认书名[2]");
    const auto chapter = &CatalogNames::chapterName;
    QCOMPARE(CatalogNames::freeNumber(1, chapter, dir, ".txt", {}), 1);
    QCOMPARE(CatalogNames::freeNumber(3, chapter, dir, ".txt", {}), 4);
    // A sibling in the tree counts even when its file is gone.
    QCOMPARE(CatalogNames::freeNumber(3, chapter, dir, ".txt", {"默认章节[4]"}), 5);
    // Without the suffix the chapter file does not collide; a directory of that name does.
    QCOMPARE(CatalogNames::freeNumber(2, &CatalogNames::bookName, dir, "", {}), 3);
    QCOMPARE(CatalogNames::freeNumber(0, chapter, dir, ".txt", {}), 1);
    QCOMPARE(readBytes(dir + "默认章节[3].txt"), QByteArray("an author's chapter"));
}

void TstCatalogRules::safeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("chinese") << "序章" << true;
    QTest::newRow("quote") << "林'夕" << true;
    QTest::newRow("dots inside") << "上.txt篇" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("parent escape") << "../../x" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("leading blank") << " 序章" << false;
    QTest::newRow("trailing blank") << "序章 " << false;
    QTest::newRow("trailing full-width blank") << "序章\u3000" << false;
    QTest::newRow("line feed") << "序\n章" << false;
}

void TstCatalogRules::safeNames()
{
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(CatalogNames::isSafeName(name), safe);
}

void TstCatalogRules::retitled_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("starter text") << "默认章节[2]\n\n" << "序章\n\n\n";
    QTest::newRow("body kept") << "旧题\n\n正文<b>一</b>\n二" << "序章\n\n\n正文<b>一</b>\n二";
    QTest::newRow("no line break") << "只有一行" << "序章\n\n";
    QTest::newRow("empty") << "" << "序章\n\n";
}

void TstCatalogRules::retitled()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(CatalogNames::retitled(text, "序章"), expected);
}

void TstCatalogRules::renameEntryStaysInPlace()
{
    TestAppDir app;
    const QString dir = app.path() + "/卷/";
    writeBytes(dir + "甲.txt", "甲的正文");
    writeBytes(dir + "乙.txt", "乙的正文");
    writeBytes(app.path() + "/书/index.txt", "书");

    QVERIFY(CatalogNames::renameEntry(dir + "甲.txt", dir + "林'夕.txt"));
    QCOMPARE(readBytes(dir + "林'夕.txt"), QByteArray("甲的正文"));
    QVERIFY(!QFileInfo::exists(dir + "甲.txt"));

    // A clash, an escape from the directory and empty paths change nothing.
    QVERIFY(!CatalogNames::renameEntry(dir + "林'夕.txt", dir + "乙.txt"));
    QVERIFY(!CatalogNames::renameEntry(dir + "林'夕.txt", dir + "../逃.txt"));
    QVERIFY(!CatalogNames::renameEntry(dir + "林'夕.txt", QString()));
    QVERIFY(!CatalogNames::renameEntry(QString(), dir + "丙.txt"));
    QCOMPARE(readBytes(dir + "林'夕.txt"), QByteArray("甲的正文"));
    QCOMPARE(readBytes(dir + "乙.txt"), QByteArray("乙的正文"));
    QVERIFY(!QFileInfo::exists(app.path() + "/逃.txt"));

    // Directories move with everything inside; an existing empty directory is not merged.
    QDir().mkdir(app.path() + "/空");
    QVERIFY(!CatalogNames::renameEntry(app.path() + "/书", app.path() + "/空"));
    QVERIFY(CatalogNames::renameEntry(app.path() + "/书", app.path() + "/新书"));
    QCOMPARE(readBytes(app.path() + "/新书/index.txt"), QByteArray("书"));
}

QTEST_GUILESS_MAIN(TstCatalogRules)
#include "tst_catalogrules.moc"
