#include "editor/backupname.h"
#include "editor/charcount.h"
#include "editor/countdisplay.h"
#include "editor/editorkeys.h"
#include "editor/findrules.h"
#include "editor/typesetting.h"
#include "extras/webaddresses.h"

#include <QUrlQuery>
#include <QtTest>

using EditorKeys::Action;
using EditorKeys::Target;

Q_DECLARE_METATYPE(EditorKeys::Action)
Q_DECLARE_METATYPE(EditorKeys::Target)

class TstEditorRules : public QObject
{
    Q_OBJECT
private slots:
    void charCount_data();
    void charCount();
    void wordLockCredit();
    void countDisplay_data();
    void countDisplay();
    void backupName_data();
    void backupName();
    void replaceAll_data();
    void replaceAll();
    void oneKey_data();
    void oneKey();
    void enterInsertion();
    void editorKeys_data();
    void editorKeys();
    void searchAddressCarriesTheTextExactly_data();
    void searchAddressCarriesTheTextExactly();
};

void TstEditorRules::charCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("line feeds and ASCII spaces are not counted") << "第一章\n\n  你好 world" << 10;
    QTest::newRow("full-width space, tab, comma and CR count") << "\u3000\t，\r" << 4;
    QTest::newRow("outside the BMP counts two") << "😀" << 2;
}

void TstEditorRules::charCount()
{
    QFETCH(QString, text);
    QTEST(chapterCharCount(text), "count");
}

void TstEditorRules::wordLockCredit()
{
    // Deleting text never gives back what the word lock already counted.
    QCOMPARE(charsGainedSince(10, 40), 30);
    QCOMPARE(charsGainedSince(40, 10), 0);
}

void TstEditorRules::countDisplay_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("red");
    QTest::newRow("a million characters in exponent form")
        << 1234567 << "50" << "3000" << "总字数:1.23457e+06\t稿费:61728.35" << true;
    QTest::newRow("non-numeric rate counts as 0")
        << 10 << "五十" << "3000" << "总字数:10\t稿费:0.00" << false;
    QTest::newRow("non-numeric target makes even an empty text red")
        << 0 << "50" << "" << "总字数:0\t稿费:0.00" << true;
}

void TstEditorRules::countDisplay()
{
    QFETCH(int, count);
    QFETCH(QString, price);
    QFETCH(QString, target);
    QFETCH(bool, red);
    bool played = false;
    const CountDisplay d = CountDisplay::compute(count, price, target, "#123456", played);
    QTEST(d.label, "label");
    QCOMPARE(d.styleSheet, red ? QString("color : red;") : QString("color : #123456;"));
}

void TstEditorRules::backupName_data()
{
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("backup");
    QTest::newRow("book text") << "书/index.txt" << "/A/bak/书_index_1484281234567.txt";
    QTest::newRow("every .txt goes") << "书/上.txt篇/章.txt" << "/A/bak/书_上篇_章_1484281234567.txt";
}

void TstEditorRules::backupName()
{
    QFETCH(QString, open);
    const QString library = "/A/data/我的书籍/";
    QTEST(backupPath(library + open, library, "/A/bak", 1484281234567), "backup");
}

void TstEditorRules::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ignoring case") << "Tom and tom" << "tom" << "Jim" << "Jim and Jim";
    QTest::newRow("left to right without overlaps") << "aaaaa" << "aa" << "b" << "bba";
    QTest::newRow("replacement containing the word is not replaced again")
        << "猫狗" << "猫" << "大猫" << "大猫狗";
    QTest::newRow("non-breaking space as the plain text shows it")
        << "a b" << "a" + QString(QChar::Nbsp) + "b" << "c" << "c";
}

void TstEditorRules::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, selected);
    QFETCH(QString, replacement);
    QTEST(FindRules::replaceAll(text, selected, replacement, true), "expected");
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
    QTest::newRow("quirk: the first line keeps what remains before it")
        << "     甲" << false << true << true << 2 << "     甲";
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

void TstEditorRules::enterInsertion()
{
    QCOMPARE(Typesetting::enterInsertion({true, true, 2}), QString("\n\n    "));
    QCOMPARE(Typesetting::enterInsertion({false, false, 5}), QString("\n"));
}

void TstEditorRules::editorKeys_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("consumed");
    const int press = QEvent::KeyPress;
    QTest::newRow("Shift+Return typesets, never a bare break")
        << Target::Editor << press << int(Qt::Key_Return) << int(Qt::ShiftModifier)
        << Action::EnterTypesetting << true;
    QTest::newRow("editor focus out saves, focus moves on")
        << Target::Editor << int(QEvent::FocusOut) << 0 << 0 << Action::SaveOnFocusOut << false;
    QTest::newRow("Escape in full screen during a lock")
        << Target::Window << press << int(Qt::Key_Escape) << 0 << Action::None << false;
    QTest::newRow("title bar double click during a lock")
        << Target::TitleBar << int(QEvent::MouseButtonDblClick) << 0 << 0 << Action::None << false;
}

void TstEditorRules::editorKeys()
{
    QFETCH(Target, target);
    QFETCH(int, type);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(Action, action);
    const Action got = EditorKeys::action(target, QEvent::Type(type), key,
                                          Qt::KeyboardModifiers(modifiers), true, true);
    QCOMPARE(int(got), int(action));
    QTEST(EditorKeys::consumes(got), "consumed");
}

void TstEditorRules::searchAddressCarriesTheTextExactly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encodedQuery");
    QTest::newRow("plus is not a blank") << "C++ x&cl=9" << "wd=C%2B%2B%20x%26cl%3D9&cl=3";
    QTest::newRow("percent signs are text, not escapes") << "50%25" << "wd=50%2525&cl=3";
}

void TstEditorRules::searchAddressCarriesTheTextExactly()
{
    QFETCH(QString, text);
    const QUrl url = WebAddresses::searchQuery(text);
    QCOMPARE(url.toString(QUrl::RemoveQuery), "http://" + QString(WebAddresses::SearchHost) + "/s");
    QTEST(url.query(QUrl::FullyEncoded), "encodedQuery");
    // What a server reads back from the address the browser is given.
    const QUrlQuery query(QUrl(url.toString(QUrl::FullyEncoded), QUrl::TolerantMode));
    QCOMPARE(query.queryItems().size(), 2);
    QCOMPARE(query.queryItemValue("wd", QUrl::FullyDecoded), text);
}

QTEST_GUILESS_MAIN(TstEditorRules)
#include "tst_editorrules.moc"
