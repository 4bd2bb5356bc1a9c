#include "editor/backupname.h"
#include "editor/chaptertitle.h"
#include "editor/charcount.h"

#include <QtTest>

class TstEditorRules : public QObject
{
    Q_OBJECT
private slots:
    void charCount_data();
    void charCount();
    void wordLockCredit();
    void backupName_data();
    void backupName();
    void chapterTitle();
};

void TstEditorRules::charCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("line feeds and ASCII spaces are not counted")
        << QString("第一章\n\n  你好 world") << 10;
    QTest::newRow("full-width space, tab and full-width comma count")
        << QString("\u3000\t，") << 3;
    QTest::newRow("outside the BMP counts two") << QString("😀") << 2;
    QTest::newRow("carriage return counts") << QString("a\r\nb") << 3;
    QTest::newRow("empty") << QString() << 0;
}

void TstEditorRules::charCount()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(chapterCharCount(text), count);
}

void TstEditorRules::wordLockCredit()
{
    QCOMPARE(charsGainedSince(10, 40), 30);
    QCOMPARE(charsGainedSince(40, 10), 0);
    QCOMPARE(charsGainedSince(7, 7), 0);
}

void TstEditorRules::backupName_data()
{
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("backup");
    const QString L = "/A/data/我的书籍/";
    QTest::newRow("chapter") << L + "默认书名[1]/默认分卷[1]/默认章节[1].txt"
                             << "/A/bak/默认书名[1]_默认分卷[1]_默认章节[1]_1484281234567.txt";
    QTest::newRow("book text") << L + "书/index.txt" << "/A/bak/书_index_1484281234567.txt";
    QTest::newRow("volume text") << L + "书/卷/index.txt" << "/A/bak/书_卷_index_1484281234567.txt";
    QTest::newRow("every .txt goes") << L + "书/上.txt篇/章.txt" << "/A/bak/书_上篇_章_1484281234567.txt";
}

void TstEditorRules::backupName()
{
    QFETCH(QString, open);
    QFETCH(QString, backup);
    QCOMPARE(backupPath(open, "/A/data/我的书籍/", "/A/bak", 1484281234567), backup);
}

void TstEditorRules::chapterTitle()
{
    QCOMPARE(ChapterTitle::starred("/A/data/我的书籍/书/上.txt篇/序章.txt"), QString("序章*"));
    QCOMPARE(ChapterTitle::plain("/A/data/我的书籍/书/index.txt"), QString("index"));
}

QTEST_GUILESS_MAIN(TstEditorRules)
#include "tst_editorrules.moc"
