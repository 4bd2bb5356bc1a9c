#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/messages.h"

#include "app/mainwindow.h"
#include "editor/dialogfind.h"
#include "editor/editortext.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace {

// Chapter 甲 holding `text` open in the main window; 乙 holds the same text.
struct EditorFixture {
    explicit EditorFixture(const QString& text)
    {
        seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, text);
        w = std::make_unique<MainWindow>();
        clickItem(*w, "书/卷/甲");
        editor = editorOf(*w);
    }
    QToolButton* button(const char* name) { return w->findChild<QToolButton*>(name); }
    void openFind()
    {
        button("search")->click();
        dialog = w->findChild<DialogFind*>();
    }
    template <typename T> T* in(const char* name) { return dialog->findChild<T*>(name); }
    void select(int from, int to)
    {
        QTextCursor c = editor->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        editor->setTextCursor(c);
    }
    void check(const char* name, bool on)
    {
        if (in<QAbstractButton>(name)->isChecked() != on)
            in<QAbstractButton>(name)->click();
    }
    // The format of a character is the one the cursor sees right after it.
    QTextCharFormat formatAt(int position) const
    {
        QTextCursor c(editor->document());
        c.setPosition(position + 1);
        return c.charFormat();
    }
    QVector<int> weights() const
    {
        QVector<int> result;
        for (int i = 0; i < editor->toPlainText().size(); ++i)
            result << formatAt(i).fontWeight();
        return result;
    }

    TestAppDir app;
    std::unique_ptr<MainWindow> w;
    QTextEdit* editor = nullptr;
    DialogFind* dialog = nullptr;
};

} // namespace

// Find and replace, and the formatting tools, on the open chapter.
class TstFindFormat : public QObject
{
    Q_OBJECT
private slots:
    void dialogControlsAndKeptBetweenOpenings();
    void search_data();
    void search();
    void replace_data();
    void replace();
    void sizeStepsByTwoWithinTheList_data();
    void sizeStepsByTwoWithinTheList();
    void boldTwiceMakesTheWholeTextBoldThenNormalUndoably();
    void clearFormatCopiesAndKeepsTheFilePlain();
};

void TstFindFormat::dialogControlsAndKeptBetweenOpenings()
{
    EditorFixture f("");
    f.openFind();
    QVERIFY(f.dialog->isVisible() && !f.dialog->isModal());
    QLineEdit* field = f.in<QLineEdit>("lineEdit");
    QVERIFY(!f.in<QPushButton>("btn_find")->isEnabled());
    typeText(field, "他");
    QVERIFY(f.in<QPushButton>("btn_find")->isEnabled());
    f.in<QCheckBox>("replace")->click();
    f.in<QPushButton>("close")->click();
    QVERIFY(!f.dialog->isVisible());
    f.button("search")->click();
    QCOMPARE(f.w->findChildren<DialogFind*>().size(), 1);
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(field->text(), QString("他"));
    QVERIFY(f.in<QWidget>("re_lineEdit")->isVisible());
}

void TstFindFormat::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("direction");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("selections"); // after each click of the find button
    QTest::addColumn<int>("misses");
    QTest::newRow("backwards to the start, then no further")
        << "他说他来了他" << 6 << "back" << true << "他" << QStringList{"5-6", "2-3", "0-1", "0-1"}
        << 1;
    QTest::newRow("forwards to the end, then no further")
        << "甲乙甲乙" << 0 << "forward" << true << "乙" << QStringList{"1-2", "3-4", "3-4"} << 1;
    QTest::newRow("ignoring case")
        << "Apple" << 5 << "back" << true << "apple" << QStringList{"0-5"} << 0;
    QTest::newRow("case sensitive")
        << "Apple" << 5 << "back" << false << "apple" << QStringList{"5-5"} << 1;
}

void TstFindFormat::search()
{
    QFETCH(QString, text);
    QFETCH(int, cursor);
    QFETCH(QString, direction);
    QFETCH(bool, ignoreCase);
    QFETCH(QString, word);
    QFETCH(QStringList, selections);
    QFETCH(int, misses);
    EditorFixture f(text);
    f.openFind();
    f.select(cursor, cursor);
    f.check(qPrintable(direction), true);
    f.check("checkBox", ignoreCase);
    typeText(f.in<QLineEdit>("lineEdit"), word);
    for (const QString& expected : selections) {
        f.in<QPushButton>("btn_find")->click();
        const QTextCursor c = f.editor->textCursor();
        QCOMPARE(QString("%1-%2").arg(c.selectionStart()).arg(c.selectionEnd()), expected);
    }
    QCOMPARE(f.app.messages.toVector(),
             (QVector<QPair<int, QString>>(misses, {Messages::Error, "没有匹配的字符了!"})));
    QCOMPARE(f.editor->toPlainText(), text);
}

void TstFindFormat::replace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selEnd");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("expected");
    QTest::newRow("the selection only") << "他说他来了" << 2 << 3 << true << false << "他说她来了";
    QTest::newRow("all, ignoring case")
        << "Tom, tom and TOM" << 0 << 3 << true << true << "她, 她 and 她";
    QTest::newRow("all, case sensitive")
        << "Tom, tom and TOM" << 5 << 8 << false << true << "Tom, 她 and TOM";
    QTest::newRow("all across a paragraph break")
        << "甲乙\n丙丁\n甲乙\n丙丁" << 1 << 4 << true << true << "甲她丁\n甲她丁";
    QTest::newRow("all keeps markup as text")
        << "<b>他</b>说：<br>走" << 3 << 4 << true << true << "<b>她</b>说：<br>走";
    QTest::newRow("all keeps no-break spaces") << "\u00a0\u00a0他说 他\u00a0来了" << 2 << 3 << true
                                               << true << "\u00a0\u00a0她说 她\u00a0来了";
    QTest::newRow("nothing selected") << "他说他来了" << 2 << 2 << true << true << "他说他来了";
}

// Replacing changes the editor only; the chapter's own file gets the text at the next save
// (the file store's atomic rewrite), the other chapter keeps its bytes, and the Chinese text
// comes back from disk unchanged.
void TstFindFormat::replace()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selEnd);
    QFETCH(bool, ignoreCase);
    QFETCH(bool, all);
    QFETCH(QString, expected);
    EditorFixture f(text);
    f.openFind();
    f.select(selStart, selEnd);
    f.check("replace", true);
    f.check("checkBox", ignoreCase);
    f.check(all ? "global" : "current", true);
    f.in<QLineEdit>("re_lineEdit")->setText("她");
    f.in<QPushButton>("sure")->click();
    QCOMPARE(editorPlainText(f.editor->document()), expected);
    QVERIFY(!f.editor->textCursor().hasSelection());
    QVERIFY(f.app.messages.isEmpty());

    const QString first = f.app.file("data/我的书籍/书/卷/甲.txt");
    QCOMPARE(readBytes(first), text.toUtf8());
    // A replacement is an edit: the autosave writes it.
    callSlot(f.w.get(), "timer_save_slot");
    QCOMPARE(readBytes(first), expected.toUtf8());
    clickItem(*f.w, "书/卷/乙");
    QCOMPARE(readBytes(first), expected.toUtf8());
    QCOMPARE(readBytes(f.app.file("data/我的书籍/书/卷/乙.txt")), text.toUtf8());
    clickItem(*f.w, "书/卷/甲");
    QCOMPARE(editorPlainText(f.editor->document()), expected);
}

void TstFindFormat::sizeStepsByTwoWithinTheList_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");
    QTest::newRow("8 bigger") << "8"
                              << "font_big"
                              << "10";
    QTest::newRow("36 bigger stays") << "36"
                                     << "font_big"
                                     << "36";
    QTest::newRow("9 smaller stops at 8") << "9"
                                          << "font_samll"
                                          << "8";
}

void TstFindFormat::sizeStepsByTwoWithinTheList()
{
    QFETCH(QString, start);
    QFETCH(QString, button);
    QFETCH(QString, expected);
    EditorFixture f("正文");
    auto* sizes = f.w->findChild<QComboBox*>("font_size");
    sizes->setCurrentText(start);
    QCOMPARE(sizes->currentText(), start);
    QSignalSpy changes(sizes, QOverload<int>::of(&QComboBox::currentIndexChanged));
    f.button(qPrintable(button))->click();
    QCOMPARE(sizes->currentText(), expected);
    // Without a change the size handler must not run again.
    QCOMPARE(changes.count(), start == expected ? 0 : 1);
}

void TstFindFormat::boldTwiceMakesTheWholeTextBoldThenNormalUndoably()
{
    EditorFixture f("第一段\n第二段");
    f.select(1, 2);
    QToolButton* bold = f.button("bold");
    bold->click();
    QVERIFY(bold->isChecked());
    QCOMPARE(f.weights(), QVector<int>(7, QFont::Bold));
    // What is typed next continues in bold.
    f.editor->insertPlainText("字");
    QCOMPARE(f.formatAt(7).fontWeight(), int(QFont::Bold));

    bold->click();
    QVERIFY(!bold->isChecked());
    QCOMPARE(f.weights(), QVector<int>(8, QFont::Normal));
    QCOMPARE(f.editor->toPlainText(), QString("第一段\n第二段字"));
    f.button("undo")->click();
    QCOMPARE(f.weights(), QVector<int>(8, QFont::Bold));
    f.button("redo")->click();
    QCOMPARE(f.weights(), QVector<int>(8, QFont::Normal));
}

// Formats live on screen only: switching items saves exactly the plain text into the
// chapter's own file.
void TstFindFormat::clearFormatCopiesAndKeepsTheFilePlain()
{
    EditorFixture f("普通粗体普通");
    auto* family = f.w->findChild<QFontComboBox*>("font");
    family->setCurrentFont(QFont("DejaVu Sans Mono"));
    f.w->findChild<QComboBox*>("font_size")->setCurrentText("12");
    f.button("bold")->click();
    f.button("center")->click();
    QAction* clear = nullptr;
    for (QMenu* menu : f.w->findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            clear = a->text() == "清除格式" ? a : clear;
    QVERIFY(clear);

    QApplication::clipboard()->setText("旧的剪贴板");
    f.select(2, 2);
    clear->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("旧的剪贴板"));
    QCOMPARE(f.weights(), QVector<int>(6, QFont::Bold));

    f.select(2, 4);
    clear->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("粗体"));
    QCOMPARE(f.weights(), (QVector<int>{75, 75, 50, 50, 75, 75}));
    QCOMPARE(f.formatAt(3).fontFamily(), family->currentText());
    QCOMPARE(f.formatAt(3).fontPointSize(), 12.0);
    QCOMPARE(f.editor->textCursor().position(), 4);
    QVERIFY(!f.editor->textCursor().hasSelection());

    clickItem(*f.w, "书/卷/乙");
    QCOMPARE(readBytes(f.app.file("data/我的书籍/书/卷/甲.txt")), QByteArray("普通粗体普通"));
    QCOMPARE(readBytes(f.app.file("data/我的书籍/书/卷/乙.txt")), QByteArray("普通粗体普通"));
}

QTEST_MAIN(TstFindFormat)
#include "tst_findformat.moc"
