#include "editor/charcount.h"
#include "editor/countdisplay.h"
#include "editor/editorkeys.h"
#include "editor/findrules.h"
#include "editor/typesetting.h"

#include <QtTest>

using EditorKeys::Action;
using EditorKeys::Target;

class TstEditorRules : public QObject
{
    Q_OBJECT
private slots:
    void countAndItsLabel();
    void replaceAll();
    void oneKey_data();
    void oneKey();
    void editorKeys();
};

void TstEditorRules::countAndItsLabel()
{
    // Line feeds and ASCII spaces are not counted; full-width space, tab, comma and CR are;
    // a character outside the BMP counts two.
    QCOMPARE(chapterCharCount("第一章\n\n  你好 world"), 10);
    QCOMPARE(chapterCharCount("\u3000\t，\r"), 4);
    QCOMPARE(chapterCharCount("😀"), 2);
    // A rate that is no number counts as 0.
    bool played = false;
    QCOMPARE(CountDisplay::compute(10, "五十", "3000", "#123456", played).label,
             QString("总字数:10\t稿费:0.00"));
}

void TstEditorRules::replaceAll()
{
    // Left to right without overlaps; a replacement holding the word is not replaced again; a
    // no-break space is a character of its own, kept where it was not selected.
    QCOMPARE(FindRules::replaceAll("aaaaa", "aa", "b", true), QString("bba"));
    QCOMPARE(FindRules::replaceAll("猫狗", "猫", "大猫", true), QString("大猫狗"));
    const QString nbsp(QChar::Nbsp);
    QCOMPARE(FindRules::replaceAll("a" + nbsp + "b a b", "a" + nbsp + "b", "c", true),
             QString("c a b"));
    QCOMPARE(FindRules::replaceAll(nbsp + "甲\n乙", "甲\u2029乙", "丙", true),
             QString(nbsp + "丙"));
}

void TstEditorRules::oneKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("removeSpaces");
    QTest::addColumn<bool>("removeLines");
    QTest::addColumn<bool>("firstIndent");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    const QString typeset = "    第一段\n    \n    第二段";
    QTest::newRow("defaults indent both paragraphs and the blank line")
        << "第一段\n\n\n  第二段  " << true << false << true << 2 << typeset;
    QTest::newRow("typesetting again changes nothing")
        << typeset << true << false << true << 2 << typeset;
    QTest::newRow("remove_lines leaves a single break, width 3")
        << typeset << true << true << true << 3 << "      第一段\n      第二段";
    QTest::newRow("quirk: spaces kept stop the collapse after two breaks")
        << "a\n \n \nb" << false << false << false << 2 << "a\n\n\n\nb";
    QTest::newRow("quirk: five leading spaces become the indent")
        << "甲\n     乙     丙" << false << true << true << 2 << "    甲\n    乙 丙";
    QTest::newRow("only ASCII spaces go, full-width space and tab stay")
        << "\u3000\t甲 乙 \u3000" << true << true << true << 2 << "    \u3000\t甲乙\u3000";
    QTest::newRow("empty text gets the indent alone") << "" << true << false << true << 2 << "    ";
}

void TstEditorRules::oneKey()
{
    QFETCH(QString, text);
    QFETCH(bool, removeSpaces);
    QFETCH(bool, removeLines);
    QFETCH(bool, firstIndent);
    QFETCH(int, width);
    const Typesetting::OneKeyOptions options{removeSpaces, removeLines, firstIndent, width};
    QTEST(Typesetting::oneKey(text, options), "expected");
}

void TstEditorRules::editorKeys()
{
    // Shift+Return typesets, never a bare break; a lock ignores double clicks on the title bar.
    const Action enter = EditorKeys::action(Target::Editor, QEvent::KeyPress, Qt::Key_Return,
                                            Qt::ShiftModifier, true, true);
    QCOMPARE(int(enter), int(Action::EnterTypesetting));
    QVERIFY(EditorKeys::consumes(enter));
    const Action twice = EditorKeys::action(Target::TitleBar, QEvent::MouseButtonDblClick, 0,
                                            Qt::NoModifier, true, true);
    QCOMPARE(int(twice), int(Action::None));
    QVERIFY(!EditorKeys::consumes(twice));
}

QTEST_GUILESS_MAIN(TstEditorRules)
#include "tst_editorrules.moc"
