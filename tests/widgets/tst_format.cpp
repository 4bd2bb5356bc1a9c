#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontComboBox>
#include <QMenu>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

namespace {

struct EditorFixture {
    explicit EditorFixture(const QString& text)
    {
        editor = w.findChild<QTextEdit*>("textEdit");
        editor->setEnabled(true);
        editor->setPlainText(text);
    }
    QToolButton* button(const char* name) { return w.findChild<QToolButton*>(name); }
    void select(int from, int to)
    {
        QTextCursor c = editor->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        editor->setTextCursor(c);
    }
    QTextCharFormat formatAt(int position) const
    {
        // The format of a character is the one the cursor sees right after it.
        QTextCursor c(editor->document());
        c.setPosition(position + 1);
        return c.charFormat();
    }
    QList<int> weights() const
    {
        QList<int> result;
        for (int i = 0; i < editor->toPlainText().size(); ++i)
            result << formatAt(i).fontWeight();
        return result;
    }

    TestAppDir app;
    MainWindow w;
    QTextEdit* editor = nullptr;
};

QList<int> repeated(int value, int count)
{
    QList<int> list;
    for (int i = 0; i < count; ++i)
        list << value;
    return list;
}

} // namespace

class TstFormat : public QObject
{
    Q_OBJECT
private slots:
    void sizeStepsByTwoWithinTheList_data();
    void sizeStepsByTwoWithinTheList();
    void boldTwiceMakesTheWholeTextBoldThenNormal();
    void alignmentOfTheCursorsParagraphs_data();
    void alignmentOfTheCursorsParagraphs();
    void undoAndRedoButtons();
    void clearFormatPutsThePlainWordsBackAndOnTheClipboard();
    void clearFormatWithoutSelectionChangesNothing();
    void textMenuOpensAtTheMousePointer();
    void formattingAnOpenedChapterLeavesItsFileAlone();
};

void TstFormat::sizeStepsByTwoWithinTheList_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");
    QTest::newRow("8 bigger") << "8" << "font_big" << "10";
    QTest::newRow("20 bigger") << "20" << "font_big" << "22";
    QTest::newRow("35 bigger stops at 36") << "35" << "font_big" << "36";
    QTest::newRow("36 bigger stays") << "36" << "font_big" << "36";
    QTest::newRow("22 smaller") << "22" << "font_samll" << "20";
    QTest::newRow("9 smaller stops at 8") << "9" << "font_samll" << "8";
    QTest::newRow("8 smaller stays") << "8" << "font_samll" << "8";
}

void TstFormat::sizeStepsByTwoWithinTheList()
{
    QFETCH(QString, start);
    QFETCH(QString, button);
    QFETCH(QString, expected);
    EditorFixture f("正文");
    auto* sizes = f.w.findChild<QComboBox*>("font_size");
    QCOMPARE(sizes->count(), 29);
    sizes->setCurrentText(start);
    QCOMPARE(sizes->currentText(), start);
    QSignalSpy changes(sizes, QOverload<int>::of(&QComboBox::currentIndexChanged));
    f.button(qPrintable(button))->click();
    QCOMPARE(sizes->currentText(), expected);
    // Without a change the size handler must not run again.
    QCOMPARE(changes.count(), start == expected ? 0 : 1);
}

void TstFormat::boldTwiceMakesTheWholeTextBoldThenNormal()
{
    EditorFixture f("第一段\n第二段");
    f.select(1, 2);
    QToolButton* bold = f.button("bold");
    bold->click();
    QVERIFY(bold->isChecked());
    QCOMPARE(f.weights(), repeated(QFont::Bold, 7));
    QCOMPARE(f.editor->textCursor().position(), 7);
    QVERIFY(!f.editor->textCursor().hasSelection());
    // What is typed next continues in bold.
    f.editor->insertPlainText("字");
    QCOMPARE(f.formatAt(7).fontWeight(), int(QFont::Bold));

    bold->click();
    QVERIFY(!bold->isChecked());
    QCOMPARE(f.weights(), repeated(QFont::Normal, 8));
    QCOMPARE(f.editor->textCursor().position(), 8);
    QCOMPARE(f.editor->toPlainText(), QString("第一段\n第二段字"));
}

void TstFormat::alignmentOfTheCursorsParagraphs_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("expected"); // per paragraph; 0 = never aligned
    const int c = Qt::AlignHCenter;
    const int r = Qt::AlignRight;
    const int l = Qt::AlignLeft;
    QTest::newRow("centre only the cursor's paragraph") << "center" << 3 << 3 << QList<int>{0, c, 0};
    QTest::newRow("right over a selection of two") << "right_justified" << 0 << 3 << QList<int>{r, r, 0};
    QTest::newRow("left in the last") << "left_justified" << 5 << 5 << QList<int>{0, 0, l};
}

void TstFormat::alignmentOfTheCursorsParagraphs()
{
    QFETCH(QString, button);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<int>, expected);
    EditorFixture f("一\n二\n三");
    f.select(from, to);
    f.button(qPrintable(button))->click();
    QList<int> alignments;
    for (QTextBlock b = f.editor->document()->begin(); b.isValid(); b = b.next())
        alignments << (b.blockFormat().hasProperty(QTextFormat::BlockAlignment)
                           ? int(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask)
                           : 0);
    QCOMPARE(alignments, expected);
    QCOMPARE(f.editor->toPlainText(), QString("一\n二\n三"));
}

void TstFormat::undoAndRedoButtons()
{
    EditorFixture f("开头");
    f.select(2, 2);
    f.editor->insertPlainText("续写");
    f.button("undo")->click();
    QCOMPARE(f.editor->toPlainText(), QString("开头"));
    f.button("redo")->click();
    QCOMPARE(f.editor->toPlainText(), QString("开头续写"));
}

void TstFormat::clearFormatPutsThePlainWordsBackAndOnTheClipboard()
{
    EditorFixture f("普通粗体普通");
    auto* family = f.w.findChild<QFontComboBox*>("font");
    family->setCurrentFont(QFont("DejaVu Sans Mono"));
    f.w.findChild<QComboBox*>("font_size")->setCurrentText("12");
    f.button("bold")->click();
    QApplication::clipboard()->setText("旧的剪贴板");
    f.select(2, 4);

    QVERIFY(QMetaObject::invokeMethod(&f.w, "clearFormat_slot"));

    QCOMPARE(f.editor->toPlainText(), QString("普通粗体普通"));
    QCOMPARE(QApplication::clipboard()->text(), QString("粗体"));
    QCOMPARE(f.weights(), (QList<int>{75, 75, 50, 50, 75, 75}));
    for (int i : {2, 3}) {
        const QTextCharFormat format = f.formatAt(i);
        QCOMPARE(format.fontFamily(), family->currentText());
        QCOMPARE(format.fontPointSize(), 12.0);
        QVERIFY(!format.fontItalic());
    }
    QVERIFY(!f.editor->textCursor().hasSelection());
    QCOMPARE(f.editor->textCursor().position(), 4);
}

void TstFormat::clearFormatWithoutSelectionChangesNothing()
{
    EditorFixture f("普通");
    f.button("bold")->click();
    QApplication::clipboard()->setText("保留");
    f.select(1, 1);
    QVERIFY(QMetaObject::invokeMethod(&f.w, "clearFormat_slot"));
    QCOMPARE(f.editor->toPlainText(), QString("普通"));
    QCOMPARE(f.weights(), (QList<int>{75, 75}));
    QCOMPARE(QApplication::clipboard()->text(), QString("保留"));
}

void TstFormat::textMenuOpensAtTheMousePointer()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    clickItem(w, "书/卷/甲");
    QCursor::setPos(w.mapToGlobal(QPoint(300, 200)));
    QPoint shownAt;
    QString lastEntry;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        shownAt = menu->pos();
        lastEntry = menu->actions().last()->text();
        menu->close();
    });
    // Asked for at another point, as a keyboard request would be.
    emit editorOf(w)->customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(lastEntry, QString("在百度中搜索"));
    QCOMPARE(shownAt, w.mapToGlobal(QPoint(300, 200)));
}

void TstFormat::formattingAnOpenedChapterLeavesItsFileAlone()
{
    // Data safety: formats live on screen only. After bold, size, alignment and clearing
    // a format, switching items saves exactly the plain text into the chapter's own file.
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, "第一段\n第二段");
    const QString chapter = app.file("data/我的书籍/书/卷/甲.txt");
    MainWindow w;
    clickItem(w, "书/卷/甲");
    QTextEdit* editor = editorOf(w);
    w.findChild<QToolButton*>("bold")->click();
    w.findChild<QToolButton*>("font_big")->click();
    w.findChild<QToolButton*>("center")->click();
    QTextCursor c = editor->textCursor();
    c.setPosition(1);
    c.setPosition(5, QTextCursor::KeepAnchor);
    editor->setTextCursor(c);
    QAction* clear = nullptr;
    for (QMenu* menu : w.findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            if (a->text() == "清除格式")
                clear = a;
    QVERIFY(clear);
    clear->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("一段\n第"));
    QCOMPARE(readBytes(chapter), QByteArray("第一段\n第二段"));

    clickItem(w, "书/卷/乙");
    QCOMPARE(readBytes(chapter), QByteArray("第一段\n第二段"));
    QCOMPARE(readBytes(app.file("data/我的书籍/书/卷/乙.txt")), QByteArray("第一段\n第二段"));
}

QTEST_MAIN(TstFormat)
#include "tst_format.moc"
