#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "library/filechooser.h"

#include <QtTest>
#include <QtWidgets>

// The window's wiring: each key, context-menu entry and timer reaches what it is for. Files
// are not re-checked: the random-operation test watches every byte.
class TstWindowWiring : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keysAndMenusReachTheirEffect_data();
    void keysAndMenusReachTheirEffect();
    void autosaveRunsEveryThreeMinutes();

private:
    std::unique_ptr<TestAppDir> app;
    std::unique_ptr<MainWindow> w;
    QString chosen; // what a file chooser was asked
};

void TstWindowWiring::init()
{
    app = std::make_unique<TestAppDir>();
    seedLibrary(*app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, "甲乙");
    FileChooser::setImportChooser([this](QWidget*) { return chosen = "import", QString(); });
    FileChooser::setExportChooser(
        [this](QWidget*, const QString& name) { return chosen = "export " + name, QString(); });
    w = std::make_unique<MainWindow>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    clickItem(*w, "书/卷/甲");
    editorOf(*w)->setAlignment(Qt::AlignJustify);
    typeText(editorOf(*w), "新字");
}

void TstWindowWiring::cleanup()
{
    w.reset();
    app.reset();
    FileChooser::setImportChooser({});
    FileChooser::setExportChooser({});
    chosen.clear();
}

void TstWindowWiring::keysAndMenusReachTheirEffect_data()
{
    // A key for the editor or the window (in full screen first when it says so), a double
    // click on the title bar, or the menu of a tree item, "" (the blank tree), "text" or
    // "title" and its entry. Then the tree afterwards (a pattern), or what the effect shows:
    // "=" and what was asked or shown, or the editor's text, alignment or the window's state.
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("expected");
    const char* rows[][3] = {
        {"key editor", "Ctrl+M", "align centre"},
        {"key editor", "Ctrl+Z", "text 甲乙"},
        {"key editor", "Ctrl+M, Ctrl+L", "align other"},
        {"key editor", "Ctrl++", "size up"},
        {"key full screen editor", "Esc", "full 0"},
        {"key full screen window", "Esc", "full 0"},
        {"double click", "title", "max 1"},
        {"书", "新建卷", "书 卷 甲 乙 默认分卷\\[\\d+\\]"},
        {"书", "删除此书", ""},
        {"书", "导出此书", "=export 书.txt"},
        {"书/卷", "新建章节", "书 卷 甲 乙 默认章节\\[\\d+\\]"},
        {"书/卷/甲", "新建章节", "书 卷 甲 乙 默认章节\\[\\d+\\]"},
        {"书/卷/乙", "插入章节", "书 卷 甲 默认章节\\[\\d+\\] 乙"},
        {"书/卷/乙", "上移章节", "书 卷 乙 甲"},
        {"书/卷/甲", "下移章节", "书 卷 乙 甲"},
        {"书/卷/甲", "删除此章", "书 卷 乙"},
        {"", "创建新书", "书 卷 甲 乙 默认书名\\[\\d+\\]"},
        {"", "导入书籍", "=import"},
        {"", "回收站", "=回收站"},
        {"", "时光机", "=时光机"},
        {"text", "在百度中搜索", "=当前没有选中"},
        {"title", "关机", "=确定要关机吗\\?"},
    };
    for (const auto& r : rows)
        QTest::addRow("%s: %s", *r[0] ? r[0] : "blank", r[1]) << r[0] << r[1] << r[2];
}

void TstWindowWiring::keysAndMenusReachTheirEffect()
{
    QFETCH(QString, where);
    QFETCH(QString, what);
    QFETCH(QString, expected);
    QTreeView* tree = treeOf(*w);
    QTextEdit* editor = editorOf(*w);
    // Triggers the entry of the menu that pops up, once it is showing.
    QTimer::singleShot(0, [what] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* found = menu ? menuEntry(menu, what) : nullptr;
        if (menu)
            menu->close();
        if (found)
            found->trigger();
    });
    const QModelIndex index = indexOf(*w, where);
    auto* fontSize = w->findChild<QComboBox*>("font_size");
    const int sizeBefore = fontSize->currentText().toInt();
    if (where.startsWith("key")) {
        if (where.contains("full screen"))
            w->findChild<QAbstractButton*>("fullScreen")->click();
        const QKeySequence keys = QKeySequence::fromString(what);
        for (int i = 0; i < keys.count(); ++i)
            QTest::keyClick(where.endsWith("editor") ? static_cast<QWidget*>(editor) : w.get(),
                            Qt::Key(keys[i] & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(keys[i] & Qt::KeyboardModifierMask));
    } else if (where == "double click") {
        QTest::mouseDClick(w->findChild<QWidget*>("widget_title"), Qt::LeftButton);
    } else if (where == "text") {
        emit editor->customContextMenuRequested(QPoint(5, 5));
    } else if (where == "title") {
        w->findChild<QPushButton*>("btnMenu")->showMenu();
    } else {
        if (index.isValid())
            tree->setCurrentIndex(index);
        emit tree->customContextMenuRequested(index.isValid()
                                                  ? tree->visualRect(index).center()
                                                  : QPoint(5, tree->viewport()->height() - 5));
    }
    QCoreApplication::processEvents();
    // What was asked of a chooser, else the other window's title, else the first box shown.
    QString shown = chosen.isEmpty() && !app->messages.isEmpty() ? app->messages[0].second : chosen;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (chosen.isEmpty() && top != w.get() && top->isVisible() && !qobject_cast<QMenu*>(top) &&
            !top->windowTitle().isEmpty())
            shown = top->windowTitle();
    const QString kind = expected.section(' ', 0, 0);
    const QString seen =
        expected.startsWith('=') ? '=' + shown
        : kind == "align" ? kind + (editor->alignment() & Qt::AlignHCenter ? " centre" : " other")
        : kind == "text"  ? kind + ' ' + editor->toPlainText()
        : kind == "full"  ? kind + ' ' + QString::number(w->isFullScreen())
        : kind == "size" ? kind + (fontSize->currentText().toInt() > sizeBefore ? " up" : " not up")
        : kind == "max"
            ? kind + ' ' +
                  QString::number(w->findChild<QAbstractButton*>("btnMenu_Max")->isChecked())
            : treeLines(*w).join(' ').simplified();
    QVERIFY2(QRegularExpression('^' + expected + '$').match(seen).hasMatch(), qPrintable(seen));
}

// A time lock's timer is the lock test's; the autosave's is only here.
void TstWindowWiring::autosaveRunsEveryThreeMinutes()
{
    QTimer* timer = nullptr;
    for (QTimer* t : w->findChildren<QTimer*>())
        timer = t->isActive() && t->interval() == 180000 ? t : timer;
    QVERIFY2(timer, "no running timer at that interval");
    // Its timeout, sooner: a backup shows the timer is wired to the autosave.
    timer->start(1);
    QTRY_VERIFY(!QDir(app->file("bak")).isEmpty());
}

QTEST_MAIN(TstWindowWiring)
#include "tst_windowwiring.moc"
