#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "search/searchwindow.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

class TstSearchWindow : public QObject
{
    Q_OBJECT
private slots:
    void searchesOpensAndReplacesAcrossChapters();
    void invalidPatternSearchesNothing();
};

namespace {

// 甲 open in the main window; the 全书查找 window opened from the title-bar menu, or by
// its shortcut.
struct Fixture {
    explicit Fixture(bool byShortcut = false)
    {
        seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙", "别书", "别书/卷", "别书/卷/丙"},
                    "林风来了。\n林风走了。");
        w = std::make_unique<MainWindow>();
        clickItem(*w, "书/卷/甲");
        if (byShortcut) {
            w->show();
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w.get()));
            QTest::keyClick(w.get(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        } else {
            for (QAction* action : w->findChild<QPushButton*>("btnMenu")->menu()->actions()) {
                if (action->text() == "全书查找")
                    action->trigger();
            }
        }
        window = w->findChild<SearchWindow*>();
    }
    template <typename T> T* in(const char* name) { return window->findChild<T*>(name); }
    void run(const char* button, const QString& text, bool wholeLibrary)
    {
        in<QLineEdit>("findEdit")->setText(text);
        in<QComboBox>("scope")->setCurrentIndex(wholeLibrary ? 1 : 0);
        in<QPushButton>(button)->click();
        QTRY_VERIFY(!window->isSearching());
    }
    QStringList groups()
    {
        QStringList out;
        for (int i = 0; i < results()->topLevelItemCount(); ++i)
            out << results()->topLevelItem(i)->text(0);
        return out;
    }
    QTreeWidget* results() { return in<QTreeWidget>("results"); }
    QByteArray file(const QString& chapter)
    {
        return readBytes(app.file("data/我的书籍/" + chapter + ".txt"));
    }

    TestAppDir app;
    std::unique_ptr<MainWindow> w;
    SearchWindow* window = nullptr;
};

} // namespace

void TstSearchWindow::searchesOpensAndReplacesAcrossChapters()
{
    Fixture f;
    QVERIFY(f.window);
    typeText(editorOf(*f.w), "林风"); // unsaved: the file of 甲 still holds two
    f.run("btn_find", "林风", false);
    QCOMPARE(f.groups(), QStringList({"书/卷/甲（3 处）", "书/卷/乙（2 处）"}));
    f.run("btn_find", "林风", true);
    QCOMPARE(f.groups(),
             QStringList({"书/卷/甲（3 处）", "书/卷/乙（2 处）", "别书/卷/丙（2 处）"}));

    // The second match of 乙 opens 乙 as a catalog click does, after saving 甲.
    QTreeWidgetItem* hit = f.results()->topLevelItem(1)->child(1);
    emit f.results()->itemDoubleClicked(hit, 0);
    QCOMPARE(statusPathOf(*f.w), QString("书/卷/乙.txt"));
    QCOMPARE(treeOf(*f.w)->currentIndex(), indexOf(*f.w, "书/卷/乙"));
    QCOMPARE(f.file("书/卷/甲").count("林风"), 3);
    QTextEdit* editor = editorOf(*f.w);
    QCOMPARE(editor->textCursor().selectionStart(), 6);
    QCOMPARE(editor->textCursor().selectedText(), QString("林风"));

    // Replacing: 乙 is open with unsaved text and changes in the editor, not on disk.
    editor->moveCursor(QTextCursor::End);
    typeText(editor, "林风");
    editor->document()->setModified(false);
    f.app.questionAnswer = 1;
    f.in<QLineEdit>("replaceEdit")->setText("萧炎");
    f.run("btn_replaceAll", "林风", true);
    QCOMPARE(f.app.messages.value(0).second,
             QString("将替换 3 个章节中的 8 处，替换前的章节存入时光机。确定全部替换吗？"));
    QCOMPARE(f.file("书/卷/甲"), QString("萧炎萧炎来了。\n萧炎走了。").toUtf8());
    QCOMPARE(f.file("别书/卷/丙"), QString("萧炎来了。\n萧炎走了。").toUtf8());
    QCOMPARE(f.file("书/卷/乙"), QString("林风来了。\n林风走了。").toUtf8());
    QCOMPARE(editor->toPlainText(), QString("萧炎来了。\n萧炎走了。萧炎"));
    QVERIFY(editor->document()->isModified());

    // One copy per changed chapter, named as the autosave names them; 乙's holds its unsaved text.
    const QDir bak(f.app.file("bak"));
    QCOMPARE(bak.entryList(QDir::Files).size(), 3);
    for (const char* name : {"书_卷_甲_", "别书_卷_丙_"})
        QCOMPARE(bak.entryList({name + QString("*.txt")}).size(), 1);
    const QStringList copy = bak.entryList({"书_卷_乙_*.txt"});
    QVERIFY(QRegularExpression("^书_卷_乙_\\d{13}\\.txt$").match(copy.value(0)).hasMatch());
    QCOMPARE(readBytes(bak.filePath(copy.value(0))),
             QString("林风来了。\n林风走了。林风").toUtf8());
}

void TstSearchWindow::invalidPatternSearchesNothing()
{
    Fixture f(true);
    QVERIFY(f.window && f.window->isVisible());
    f.in<QCheckBox>("regex")->setChecked(true);
    f.run("btn_find", "(林风", true);
    QVERIFY(f.in<QLabel>("errorLabel")->isVisible());
    QVERIFY(f.in<QLabel>("errorLabel")->text().startsWith("正则表达式有误："));
    QCOMPARE(f.results()->topLevelItemCount(), 0);
    f.in<QLineEdit>("findEdit")->setText("林风|走");
    QVERIFY(!f.in<QLabel>("errorLabel")->isVisible());
}

QTEST_MAIN(TstSearchWindow)
#include "tst_searchwindow.moc"
