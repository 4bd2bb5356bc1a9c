#include "editor/typesetting.h"

#include <QtTest>

using Typesetting::EnterOptions;
using Typesetting::OneKeyOptions;

class TstTypesetting : public QObject
{
    Q_OBJECT
private slots:
    void oneKey_data();
    void oneKey();
    void oneKeyTwiceEqualsOnce_data();
    void oneKeyTwiceEqualsOnce();
    void enterInsertion_data();
    void enterInsertion();
};

void TstTypesetting::oneKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("removeSpaces");
    QTest::addColumn<bool>("removeLines");
    QTest::addColumn<bool>("firstIndent");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    const QString twoParagraphs = "第一段\n\n\n  第二段  ";
    QTest::newRow("nominal: defaults indent both paragraphs and the blank line")
        << twoParagraphs << true << false << true << 2 << "    第一段\n    \n    第二段";
    QTest::newRow("nominal: remove_lines leaves a single break")
        << twoParagraphs << true << true << true << 2 << "    第一段\n    第二段";
    QTest::newRow("nominal: width 3")
        << "甲\n乙" << true << true << true << 3 << "      甲\n      乙";
    QTest::newRow("quirk: spaces kept stop the collapse after two breaks")
        << "a\n \n \nb" << false << false << false << 2 << "a\n\n\n\nb";
    QTest::newRow("quirk: spaces kept, remove_lines on")
        << "a\n \n \nb" << false << true << false << 2 << "a\n\nb";
    QTest::newRow("quirk: five leading spaces become the indent")
        << "甲\n     乙     丙" << false << true << true << 2 << "    甲\n    乙 丙";
    QTest::newRow("quirk: eight spaces in a line vanish")
        << "甲        乙" << false << true << true << 2 << "    甲乙";
    QTest::newRow("quirk: the first line keeps what remains before it")
        << "     甲" << false << true << true << 2 << "     甲";
    QTest::newRow("robustness: only ASCII spaces go, full-width space and tab stay")
        << "\u3000\t甲 乙 \u3000" << true << true << true << 2 << "    \u3000\t甲乙\u3000";
    QTest::newRow("robustness: empty text gets the indent alone")
        << "" << true << false << true << 2 << "    ";
    QTest::newRow("robustness: empty text without indent stays empty")
        << "" << true << false << false << 2 << "";
    QTest::newRow("robustness: width 0 indents nothing")
        << "甲\n\n乙" << true << false << true << 0 << "甲\n\n乙";
    QTest::newRow("robustness: markup is ordinary text")
        << "<b>粗</b>\n细" << true << true << true << 1 << "  <b>粗</b>\n  细";
}

void TstTypesetting::oneKey()
{
    QFETCH(QString, text);
    QFETCH(bool, removeSpaces);
    QFETCH(bool, removeLines);
    QFETCH(bool, firstIndent);
    QFETCH(int, width);
    QFETCH(QString, expected);
    const OneKeyOptions o{removeSpaces, removeLines, firstIndent, width};
    QCOMPARE(Typesetting::oneKey(text, o), expected);
}

void TstTypesetting::oneKeyTwiceEqualsOnce_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("paragraphs") << "第一段\n\n\n  第二段  ";
    QTest::newRow("already typeset") << "    甲\n    \n    乙";
    QTest::newRow("ragged indents") << " 甲\n\n      乙\n\u3000\u3000丙";
    QTest::newRow("empty") << "";
}

void TstTypesetting::oneKeyTwiceEqualsOnce()
{
    QFETCH(QString, text);
    const OneKeyOptions defaults;
    const QString once = Typesetting::oneKey(text, defaults);
    QCOMPARE(Typesetting::oneKey(once, defaults), once);
}

void TstTypesetting::enterInsertion_data()
{
    QTest::addColumn<bool>("brokenRows");
    QTest::addColumn<bool>("firstIndent");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("defaults") << true << true << 2 << "\n\n    ";
    QTest::newRow("no blank line") << false << true << 2 << "\n    ";
    QTest::newRow("plain break") << false << false << 5 << "\n";
    QTest::newRow("width 0") << true << true << 0 << "\n\n";
}

void TstTypesetting::enterInsertion()
{
    QFETCH(bool, brokenRows);
    QFETCH(bool, firstIndent);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(Typesetting::enterInsertion(EnterOptions{brokenRows, firstIndent, width}), expected);
}

QTEST_GUILESS_MAIN(TstTypesetting)
#include "tst_typesetting.moc"
