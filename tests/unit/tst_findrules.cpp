#include "editor/findrules.h"

#include <QtTest>

class TstFindRules : public QObject
{
    Q_OBJECT
private slots:
    void searchModeOfACode_data();
    void searchModeOfACode();
    void replaceAll_data();
    void replaceAll();
};

void TstFindRules::searchModeOfACode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<bool>("caseSensitive");
    QTest::newRow("0") << 0 << true << true;
    QTest::newRow("1") << 1 << false << true;
    QTest::newRow("10") << 10 << true << false;
    QTest::newRow("11") << 11 << false << false;
    QTest::newRow("robustness: 2 as 11") << 2 << false << false;
    QTest::newRow("robustness: -1 as 11") << -1 << false << false;
    QTest::newRow("robustness: 127 as 11") << 127 << false << false;
}

void TstFindRules::searchModeOfACode()
{
    QFETCH(int, code);
    QFETCH(bool, backward);
    QFETCH(bool, caseSensitive);
    const FindRules::SearchMode mode = FindRules::searchMode(qint8(code));
    QCOMPARE(mode.backward, backward);
    QCOMPARE(mode.caseSensitive, caseSensitive);
}

void TstFindRules::replaceAll_data()
{
    const QString para(QChar::ParagraphSeparator);
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nominal: every 他 becomes 她")
        << "他说他会来。\n　　他没来。" << "他" << "她" << true << "她说她会来。\n　　她没来。";
    QTest::newRow("ignoring case replaces both cases")
        << "Tom and tom" << "tom" << "Jim" << true << "Jim and Jim";
    QTest::newRow("case sensitive keeps the other case")
        << "Tom and tom" << "tom" << "Jim" << false << "Tom and Jim";
    QTest::newRow("left to right without overlaps") << "aaaaa" << "aa" << "b" << true << "bba";
    QTest::newRow("replacement containing the word is not replaced again")
        << "猫狗" << "猫" << "大猫" << true << "大猫狗";
    QTest::newRow("empty replacement deletes") << "一二一" << "一" << "" << true << "二";
    QTest::newRow("selection across a paragraph break")
        << "甲乙\n丙丁\n甲乙\n丙丁" << "乙" + para + "丙" << "X" << true << "甲X丁\n甲X丁";
    QTest::newRow("selection across a line separator")
        << "上\n下" << "上" + QString(QChar::LineSeparator) + "下" << "合" << true << "合";
    QTest::newRow("non-breaking space as the plain text shows it")
        << "a b" << "a" + QString(QChar::Nbsp) + "b" << "c" << true << "c";
    QTest::newRow("robustness: empty selection changes nothing") << "abc" << "" << "x" << true << "abc";
    QTest::newRow("robustness: no occurrence changes nothing") << "abc" << "z" << "x" << true << "abc";
}

void TstFindRules::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, selected);
    QFETCH(QString, replacement);
    QFETCH(bool, caseInsensitive);
    QFETCH(QString, expected);
    QCOMPARE(FindRules::replaceAll(text, selected, replacement, caseInsensitive), expected);
}

QTEST_GUILESS_MAIN(TstFindRules)
#include "tst_findrules.moc"
