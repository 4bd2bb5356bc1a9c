#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "editor/dialogfind.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

namespace {

// A main window with `text` in its editor and the find dialog opened through its button.
struct FindFixture {
    explicit FindFixture(const QString& text)
    {
        editor = w.findChild<QTextEdit*>("textEdit");
        editor->setEnabled(true);
        editor->setPlainText(text);
        w.findChild<QToolButton*>("search")->click();
        dialog = w.findChild<DialogFind*>();
    }
    template <typename T> T* in(const char* name) { return dialog->findChild<T*>(name); }
    void search(const QString& word)
    {
        QLineEdit* field = in<QLineEdit>("lineEdit");
        field->clear();
        typeText(field, word);
        in<QPushButton>("btn_find")->click();
    }
    void replace(const QString& replacement, bool all)
    {
        QCheckBox* box = in<QCheckBox>("replace");
        if (!box->isChecked())
            box->click();
        in<QRadioButton>(all ? "global" : "current")->click();
        in<QLineEdit>("re_lineEdit")->setText(replacement);
        in<QPushButton>("sure")->click();
    }
    void placeCursor(int position)
    {
        QTextCursor c = editor->textCursor();
        c.setPosition(position);
        editor->setTextCursor(c);
    }
    QPair<int, int> selection() const
    {
        const QTextCursor c = editor->textCursor();
        return {c.selectionStart(), c.selectionEnd()};
    }

    TestAppDir app;
    MainWindow w;
    QTextEdit* editor = nullptr;
    DialogFind* dialog = nullptr;
};

using Span = QPair<int, int>;

} // namespace

class TstFind : public QObject
{
    Q_OBJECT
private slots:
    void dialogStartsWithItsInitialState();
    void findButtonFollowsTheSearchField();
    void replaceBoxShowsTheReplaceControls();
    void dialogSendsWhatTheUserChose_data();
    void dialogSendsWhatTheUserChose();
    void dialogIsKeptBetweenOpenings();
    void backwardSearchWalksToTheStartAndStops();
    void forwardSearchFromTheStartFindsTheFirst();
    void caseSensitiveSearchMissesTheOtherCase();
    void replaceCurrentOnceThenNothing();
    void replaceAllCannotBeUndone();
    void replaceAllFollowsTheCaseBox();
    void replaceAllAcrossAParagraphBreak();
    void replaceAllKeepsMarkupAsText();
    void replaceWithoutSelectionDoesNothing();
    void replaceAllInAnOpenedChapterReachesOnlyItsFile();
};

void TstFind::dialogStartsWithItsInitialState()
{
    FindFixture f("");
    QVERIFY(f.dialog);
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(f.dialog->parentWidget(), &f.w);
    QCOMPARE(f.dialog->windowTitle(), QString("查找"));
    QVERIFY(!f.dialog->windowIcon().isNull());
    QVERIFY(!f.dialog->isModal());
    QCOMPARE(f.in<QLabel>("label")->text(), QString("查找内容："));
    QCOMPARE(f.in<QLineEdit>("lineEdit")->text(), QString());
    QCOMPARE(f.in<QLineEdit>("lineEdit")->maxLength(), 20);
    QPushButton* find = f.in<QPushButton>("btn_find");
    QCOMPARE(find->text(), QString("查找"));
    QVERIFY(!find->isEnabled());
    QVERIFY(!find->isCheckable());
    QVERIFY(find->width() >= 75 && find->height() >= 30);
    QVERIFY(f.in<QRadioButton>("back")->isChecked());
    QVERIFY(!f.in<QRadioButton>("forward")->isChecked());
    QVERIFY(f.in<QCheckBox>("checkBox")->isChecked());
    QVERIFY(!f.in<QCheckBox>("replace")->isChecked());
    QVERIFY(f.in<QRadioButton>("global")->isChecked());
    QVERIFY(!f.in<QRadioButton>("current")->isChecked());
    for (const char* hidden : {"groupBox", "re_label", "re_lineEdit", "sure"})
        QVERIFY2(!f.in<QWidget>(hidden)->isVisible(), hidden);
    QCOMPARE(f.in<QPushButton>("close")->size(), QSize(100, 40));
    QCOMPARE(f.in<QPushButton>("close")->text(), QString("关闭"));
}

void TstFind::findButtonFollowsTheSearchField()
{
    FindFixture f("");
    QLineEdit* field = f.in<QLineEdit>("lineEdit");
    QPushButton* find = f.in<QPushButton>("btn_find");
    typeText(field, "他");
    QVERIFY(find->isEnabled());
    QTest::keyClick(field, Qt::Key_Backspace);
    QVERIFY(!find->isEnabled());
    typeText(field, "一二三四五六七八九十一二三四五六七八九十多余");
    QCOMPARE(field->text(), QString("一二三四五六七八九十一二三四五六七八九十"));
}

void TstFind::replaceBoxShowsTheReplaceControls()
{
    FindFixture f("");
    f.in<QCheckBox>("replace")->click();
    for (const char* shown : {"groupBox", "re_label", "re_lineEdit", "sure"})
        QVERIFY2(f.in<QWidget>(shown)->isVisible(), shown);
    QCOMPARE(f.in<QPushButton>("sure")->size(), QSize(100, 40));
    QCOMPARE(f.in<QLineEdit>("re_lineEdit")->maxLength(), 20);
    f.in<QCheckBox>("replace")->click();
    for (const char* hidden : {"groupBox", "re_label", "re_lineEdit", "sure"})
        QVERIFY2(!f.in<QWidget>(hidden)->isVisible(), hidden);
}

void TstFind::dialogSendsWhatTheUserChose_data()
{
    QTest::addColumn<QString>("direction");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("code");
    QTest::newRow("initial: back, ignoring case, all") << "back" << true << "global" << 10;
    QTest::newRow("forward, ignoring case, all") << "forward" << true << "global" << 11;
    QTest::newRow("back, case sensitive, current") << "back" << false << "current" << 0;
    QTest::newRow("forward, case sensitive, current") << "forward" << false << "current" << 1;
}

void TstFind::dialogSendsWhatTheUserChose()
{
    QFETCH(QString, direction);
    QFETCH(bool, ignoreCase);
    QFETCH(QString, mode);
    QFETCH(int, code);
    DialogFind dialog(nullptr);
    dialog.show();
    QSignalSpy finds(&dialog, &DialogFind::str_find_signals);
    QSignalSpy replaces(&dialog, &DialogFind::str_replace_signals);
    dialog.findChild<QRadioButton*>(direction)->click();
    if (dialog.findChild<QCheckBox*>("checkBox")->isChecked() != ignoreCase)
        dialog.findChild<QCheckBox*>("checkBox")->click();
    QTest::keyClicks(dialog.findChild<QLineEdit*>("lineEdit"), "Ab");
    dialog.findChild<QPushButton*>("btn_find")->click();
    QCOMPARE(finds.count(), 1);
    QCOMPARE(finds.at(0).at(0).toString(), QString("Ab"));
    QCOMPARE(int(finds.at(0).at(1).value<qint8>()), code);

    dialog.findChild<QCheckBox*>("replace")->click();
    dialog.findChild<QRadioButton*>(mode)->click();
    typeText(dialog.findChild<QLineEdit*>("re_lineEdit"), "她");
    dialog.findChild<QPushButton*>("sure")->click();
    QCOMPARE(replaces.count(), 1);
    QCOMPARE(replaces.at(0).at(0).toString(), QString("她"));
    QCOMPARE(replaces.at(0).at(1).toBool(), mode == "global");
    QCOMPARE(replaces.at(0).at(2).toBool(), ignoreCase);
}

void TstFind::dialogIsKeptBetweenOpenings()
{
    FindFixture f("");
    typeText(f.in<QLineEdit>("lineEdit"), "他");
    f.in<QRadioButton>("forward")->click();
    f.in<QCheckBox>("replace")->click();
    f.in<QPushButton>("close")->click();
    QVERIFY(!f.dialog->isVisible());
    f.w.findChild<QToolButton*>("search")->click();
    QCOMPARE(f.w.findChildren<DialogFind*>().size(), 1);
    QVERIFY(f.dialog->isVisible());
    QCOMPARE(f.in<QLineEdit>("lineEdit")->text(), QString("他"));
    QVERIFY(f.in<QRadioButton>("forward")->isChecked());
    QVERIFY(f.in<QWidget>("sure")->isVisible());
}

void TstFind::backwardSearchWalksToTheStartAndStops()
{
    const QString text = "他说他来了他";
    FindFixture f(text);
    f.placeCursor(text.size());
    f.search("他");
    QCOMPARE(f.selection(), Span(5, 6));
    f.in<QPushButton>("btn_find")->click();
    QCOMPARE(f.selection(), Span(2, 3));
    f.in<QPushButton>("btn_find")->click();
    QCOMPARE(f.selection(), Span(0, 1));
    QVERIFY(f.app.messages.isEmpty());
    f.in<QPushButton>("btn_find")->click();
    QCOMPARE(f.app.messages.size(), 1);
    QCOMPARE(f.app.messages.at(0), qMakePair(2, QString("没有匹配的字符了!")));
    QCOMPARE(f.selection(), Span(0, 1));
    QCOMPARE(f.editor->toPlainText(), text);
}

void TstFind::forwardSearchFromTheStartFindsTheFirst()
{
    FindFixture f("甲乙甲乙");
    f.in<QRadioButton>("forward")->click();
    f.placeCursor(0);
    f.search("乙");
    QCOMPARE(f.selection(), Span(1, 2));
    f.in<QPushButton>("btn_find")->click();
    QCOMPARE(f.selection(), Span(3, 4));
    f.in<QPushButton>("btn_find")->click();
    QCOMPARE(f.app.messages.size(), 1);
    QCOMPARE(f.selection(), Span(3, 4));
}

void TstFind::caseSensitiveSearchMissesTheOtherCase()
{
    FindFixture f("Apple");
    f.placeCursor(5);
    f.search("apple");
    QCOMPARE(f.selection(), Span(0, 5));
    f.placeCursor(5);
    f.in<QCheckBox>("checkBox")->click();
    f.search("apple");
    QCOMPARE(f.app.messages.size(), 1);
    QCOMPARE(f.app.messages.at(0).second, QString("没有匹配的字符了!"));
    QCOMPARE(f.selection(), Span(5, 5));
}

void TstFind::replaceCurrentOnceThenNothing()
{
    FindFixture f("他说他来了");
    f.placeCursor(5);
    f.search("他");
    f.replace("她们", false);
    QCOMPARE(f.editor->toPlainText(), QString("他说她们来了"));
    QVERIFY(!f.editor->textCursor().hasSelection());
    f.in<QPushButton>("sure")->click();
    QCOMPARE(f.editor->toPlainText(), QString("他说她们来了"));
    f.editor->undo();
    QCOMPARE(f.editor->toPlainText(), QString("他说他来了"));
    QVERIFY(f.app.messages.isEmpty());
}

void TstFind::replaceAllCannotBeUndone()
{
    FindFixture f("他说：“他来了。”\n　　他走了");
    f.placeCursor(f.editor->toPlainText().size());
    f.editor->insertPlainText("。");
    QVERIFY(f.editor->document()->isUndoAvailable());
    f.search("他");
    f.replace("她", true);
    QCOMPARE(f.editor->toPlainText(), QString("她说：“她来了。”\n　　她走了。"));
    QCOMPARE(f.editor->textCursor().position(), 0);
    QVERIFY(!f.editor->textCursor().hasSelection());
    QVERIFY(!f.editor->document()->isUndoAvailable());
    f.editor->undo();
    QCOMPARE(f.editor->toPlainText(), QString("她说：“她来了。”\n　　她走了。"));
}

void TstFind::replaceAllFollowsTheCaseBox()
{
    FindFixture f("Tom, tom and TOM");
    f.in<QRadioButton>("forward")->click();
    f.placeCursor(0);
    f.search("tom");
    QCOMPARE(f.selection(), Span(0, 3));
    f.replace("Jim", true);
    QCOMPARE(f.editor->toPlainText(), QString("Jim, Jim and Jim"));

    f.editor->setPlainText("Tom, tom and TOM");
    f.in<QCheckBox>("checkBox")->click();
    f.placeCursor(0);
    f.search("tom");
    QCOMPARE(f.selection(), Span(5, 8));
    f.in<QPushButton>("sure")->click();
    QCOMPARE(f.editor->toPlainText(), QString("Tom, Jim and TOM"));
}

void TstFind::replaceAllAcrossAParagraphBreak()
{
    FindFixture f("甲乙\n丙丁\n甲乙\n丙丁");
    QTextCursor c = f.editor->textCursor();
    c.setPosition(1);
    c.setPosition(4, QTextCursor::KeepAnchor);
    f.editor->setTextCursor(c);
    f.replace("X", true);
    QCOMPARE(f.editor->toPlainText(), QString("甲X丁\n甲X丁"));
}

void TstFind::replaceAllKeepsMarkupAsText()
{
    // A chapter may quote markup; it must stay text, not turn into formatting.
    FindFixture f("<b>他</b>说：<br>走");
    f.placeCursor(f.editor->toPlainText().size());
    f.search("他");
    f.replace("她", true);
    QCOMPARE(f.editor->toPlainText(), QString("<b>她</b>说：<br>走"));
}

void TstFind::replaceWithoutSelectionDoesNothing()
{
    FindFixture f("他说他来了");
    f.placeCursor(5);
    f.editor->insertPlainText("。");
    f.replace("她", true);
    f.replace("她", false);
    QCOMPARE(f.editor->toPlainText(), QString("他说他来了。"));
    // Setting the text again would have cleared the history.
    QVERIFY(f.editor->document()->isUndoAvailable());
    QVERIFY(f.app.messages.isEmpty());
}

void TstFind::replaceAllInAnOpenedChapterReachesOnlyItsFile()
{
    // Data safety: replace-all changes the editor only. The chapter's own file gets the text
    // at the next save (the file store's atomic rewrite), the other chapter keeps its bytes
    // and the Chinese text comes back from disk unchanged.
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, "他说他来了");
    const QString first = app.file("data/我的书籍/书/卷/甲.txt");
    const QString second = app.file("data/我的书籍/书/卷/乙.txt");
    MainWindow w;
    clickItem(w, "书/卷/甲");
    QTextEdit* editor = editorOf(w);
    QCOMPARE(editor->toPlainText(), QString("他说他来了"));

    w.findChild<QToolButton*>("search")->click();
    auto* dialog = w.findChild<DialogFind*>();
    dialog->findChild<QRadioButton*>("forward")->click();
    typeText(dialog->findChild<QLineEdit*>("lineEdit"), "他");
    dialog->findChild<QPushButton*>("btn_find")->click();
    QCOMPARE(editor->textCursor().selectedText(), QString("他"));
    dialog->findChild<QCheckBox*>("replace")->click();
    typeText(dialog->findChild<QLineEdit*>("re_lineEdit"), "她");
    dialog->findChild<QPushButton*>("sure")->click();
    QCOMPARE(editor->toPlainText(), QString("她说她来了"));
    QCOMPARE(readBytes(first), QByteArray("他说他来了"));

    clickItem(w, "书/卷/乙");
    QCOMPARE(readBytes(first), QByteArray("她说她来了"));
    QCOMPARE(readBytes(second), QByteArray("他说他来了"));
    QCOMPARE(editor->toPlainText(), QString("他说他来了"));
    clickItem(w, "书/卷/甲");
    QCOMPARE(editor->toPlainText(), QString("她说她来了"));
}

QTEST_MAIN(TstFind)
#include "tst_find.moc"
