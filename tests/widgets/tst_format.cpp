#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"

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
    void select(int from, int to)
    {
        QTextCursor c = editor->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        editor->setTextCursor(c);
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
};

} // namespace

class TstFormat : public QObject
{
    Q_OBJECT
private slots:
    void sizeStepsByTwoWithinTheList_data();
    void sizeStepsByTwoWithinTheList();
    void boldTwiceMakesTheWholeTextBoldThenNormalUndoably();
    void clearFormatCopiesAndKeepsTheFilePlain();
};

void TstFormat::sizeStepsByTwoWithinTheList_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");
    QTest::newRow("8 bigger") << "8" << "font_big" << "10";
    QTest::newRow("35 bigger stops at 36") << "35" << "font_big" << "36";
    QTest::newRow("36 bigger stays") << "36" << "font_big" << "36";
    QTest::newRow("9 smaller stops at 8") << "9" << "font_samll" << "8";
}

void TstFormat::sizeStepsByTwoWithinTheList()
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

void TstFormat::boldTwiceMakesTheWholeTextBoldThenNormalUndoably()
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
void TstFormat::clearFormatCopiesAndKeepsTheFilePlain()
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

QTEST_MAIN(TstFormat)
#include "tst_format.moc"
