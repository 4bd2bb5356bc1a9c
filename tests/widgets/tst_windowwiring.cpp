#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "library/filechooser.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

// The window's wiring: each key, context-menu entry and timer reaches what it is for. The
// rules behind them are tested on their own; here a broken connection or a swapped entry
// shows. Files are not re-checked: the random-operation test watches every byte.
class TstWindowWiring : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keysReachTheirEffect_data();
    void keysReachTheirEffect();
    void contextMenusReachTheirSlots_data();
    void contextMenusReachTheirSlots();
    void timersRunAtTheirIntervals_data();
    void timersRunAtTheirIntervals();
    void wordLockCreditsChapterSwitches_data();
    void wordLockCreditsChapterSwitches();

private:
    std::unique_ptr<TestAppDir> app;
    std::unique_ptr<MainWindow> w;
    QString chosen; // what a file chooser was asked
};

namespace {

// The other visible window's title, or the first box shown.
QString shownWindow(MainWindow& w, const TestAppDir& app)
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != &w && top->isVisible() && !qobject_cast<QMenu*>(top) &&
            !top->windowTitle().isEmpty())
            return top->windowTitle();
    }
    return app.messages.isEmpty() ? QString() : app.messages[0].second;
}

void drag(QWidget* w, const QPoint& from, const QPoint& by)
{
    const QPoint g = w->mapToGlobal(from);
    QMouseEvent press(QEvent::MouseButtonPress, from, g, Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent move(QEvent::MouseMove, from + by, g + by, Qt::NoButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, from + by, g + by, Qt::LeftButton, {}, {});
    for (QMouseEvent* e : {&press, &move, &release})
        QApplication::sendEvent(w, e);
}

} // namespace

void TstWindowWiring::init()
{
    app = std::make_unique<TestAppDir>();
    seedLibrary(*app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, "甲乙");
    FileChooser::setImportChooser([this](QWidget*) {
        chosen = "import";
        return QString();
    });
    FileChooser::setExportChooser([this](QWidget*, const QString& name) {
        chosen = "export " + name;
        return QString();
    });
    w = std::make_unique<MainWindow>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    clickItem(*w, "书/卷/甲");
}

void TstWindowWiring::cleanup()
{
    w.reset();
    app.reset();
    FileChooser::setImportChooser({});
    FileChooser::setExportChooser({});
    chosen.clear();
}

void TstWindowWiring::keysReachTheirEffect_data()
{
    // Sent to the editor or the window (in full screen first when it says so), or a double
    // click on the title bar; then what the effect shows.
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    const int ctrl = Qt::ControlModifier;
    const struct {
        const char *name, *target;
        int key;
        const char* expected;
    } rows[] = {
        {"Ctrl+L aligns left", "editor", ctrl | Qt::Key_L, "align left"},
        {"Ctrl+R aligns right", "editor", ctrl | Qt::Key_R, "align right"},
        {"Ctrl+M centres", "editor", ctrl | Qt::Key_M, "align centre"},
        {"Ctrl+Z takes back the typing", "editor", ctrl | Qt::Key_Z, "text 甲乙"},
        {"Ctrl+plus enlarges", "editor", ctrl | Qt::Key_Plus, "size up"},
        {"Ctrl+minus shrinks", "editor", ctrl | Qt::Key_Minus, "size down"},
        {"Ctrl+B bolds", "editor", ctrl | Qt::Key_B, "bold 1"},
        {"Escape in the editor leaves full screen", "full screen editor", Qt::Key_Escape, "full 0"},
        {"Escape on the window leaves full screen", "full screen window", Qt::Key_Escape, "full 0"},
        {"title-bar double click maximises", "title", 0, "max 1"},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << r.target << r.key << r.expected;
}

void TstWindowWiring::keysReachTheirEffect()
{
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(QString, expected);
    QTextEdit* editor = editorOf(*w);
    auto* size = w->findChild<QComboBox*>("font_size");
    editor->setAlignment(Qt::AlignJustify);
    typeText(editor, "新字");
    if (target.startsWith("full screen"))
        w->findChild<QAbstractButton*>("fullScreen")->click();
    const int sizeBefore = size->currentText().toInt();

    if (target == "title")
        QTest::mouseDClick(w->findChild<QWidget*>("widget_title"), Qt::LeftButton);
    else
        QTest::keyClick(target.endsWith("editor") ? static_cast<QWidget*>(editor) : w.get(),
                        Qt::Key(key & ~Qt::KeyboardModifierMask),
                        Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));

    const QString what = expected.section(' ', 0, 0);
    const int sizeAfter = size->currentText().toInt();
    const Qt::Alignment a = editor->alignment();
    const auto button = [&](const char* name) {
        return QString::number(w->findChild<QAbstractButton*>(name)->isChecked());
    };
    const QString seen = what == "align"  ? (a & Qt::AlignHCenter ? "centre"
                                             : a & Qt::AlignRight ? "right"
                                             : a & Qt::AlignLeft  ? "left"
                                                                  : "other")
                         : what == "text" ? editor->toPlainText()
                         : what == "size" ? (sizeAfter > sizeBefore   ? "up"
                                             : sizeAfter < sizeBefore ? "down"
                                                                      : "same")
                         : what == "bold" ? button("bold")
                         : what == "full" ? QString::number(w->isFullScreen())
                                          : button("btnMenu_Max");
    QCOMPARE(what + ' ' + seen, expected);
}

void TstWindowWiring::contextMenusReachTheirSlots_data()
{
    // Where the menu opens: a tree item, "" (the blank tree), "text" or "title"; then the tree
    // afterwards (a pattern), or "=" and what was asked or shown.
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");
    const struct {
        const char *where, *entry, *expected;
    } rows[] = {
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
        {"text", "全选", "=甲乙"},
        {"text", "在百度中搜索", "=当前没有选中"},
        {"title", "关于", "=版本:.*"},
        {"title", "关机", "=确定要关机吗\\?"},
    };
    for (const auto& r : rows)
        QTest::addRow("%s: %s", *r.where ? r.where : "blank", r.entry)
            << r.where << r.entry << r.expected;
}

void TstWindowWiring::contextMenusReachTheirSlots()
{
    QFETCH(QString, where);
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    QTreeView* tree = treeOf(*w);
    QTextEdit* editor = editorOf(*w);
    // Triggers the entry of the menu that pops up, once it is showing.
    QTimer::singleShot(0, [entry] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* found = menu ? menuEntry(menu, entry) : nullptr;
        if (menu)
            menu->close();
        if (found)
            found->trigger();
    });
    if (where == "text") {
        emit editor->customContextMenuRequested(QPoint(5, 5));
    } else if (where == "title") {
        w->findChild<QPushButton*>("btnMenu")->showMenu();
    } else {
        const QModelIndex index = where.isEmpty() ? QModelIndex() : indexOf(*w, where);
        if (index.isValid())
            tree->setCurrentIndex(index);
        emit tree->customContextMenuRequested(index.isValid()
                                                  ? tree->visualRect(index).center()
                                                  : QPoint(5, tree->viewport()->height() - 5));
    }
    QCoreApplication::processEvents();
    // The tree without its indents: the default names tell a volume from a chapter.
    const QString seen =
        !expected.startsWith('=')
            ? treeLines(*w).join(' ').simplified()
            : '=' + (!chosen.isEmpty()                     ? chosen
                     : editor->textCursor().hasSelection() ? editor->textCursor().selectedText()
                                                           : shownWindow(*w, *app));
    QVERIFY2(QRegularExpression('^' + expected + '$').match(seen).hasMatch(), qPrintable(seen));
}

void TstWindowWiring::timersRunAtTheirIntervals_data()
{
    QTest::addColumn<QString>("start"); // a time lock's minutes, or empty
    QTest::addColumn<int>("interval");
    QTest::addColumn<QString>("effect");
    QTest::newRow("autosave every three minutes") << "" << 180000 << "backup";
    QTest::newRow("time lock of 7 minutes") << "7" << 7 * 60000 << "unlocked";
}

void TstWindowWiring::timersRunAtTheirIntervals()
{
    QFETCH(QString, start);
    QFETCH(int, interval);
    QFETCH(QString, effect);
    typeText(editorOf(*w), "新字");
    if (!start.isEmpty())
        callSlot(w.get(), "lock_slot", true, qint8(2), start);
    QTimer* timer = nullptr;
    for (QTimer* t : w->findChildren<QTimer*>())
        timer = t->isActive() && t->interval() == interval ? t : timer;
    QVERIFY2(timer, "no running timer at that interval");
    // Its timeout, sooner: the effect shows what the timer is wired to.
    timer->start(1);
    const auto seen = [&] {
        return effect == "backup" ? QString(QDir(app->file("bak")).isEmpty() ? "none" : "backup")
                                  : QString(w->isFullScreen() ? "locked" : "unlocked");
    };
    QTRY_COMPARE(seen(), effect);
}

void TstWindowWiring::wordLockCreditsChapterSwitches_data()
{
    // Typing in 甲, then each step: "乙" or "甲" opens that chapter, "\b" is a Backspace,
    // other text is typed; the lock's goal is 12 characters.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("typed before a switch counts")
        << QStringList{"abcdefgh", "乙", "xyzw"} << "unlocked, moves";
    QTest::newRow("short of the goal") << QStringList{"abcdefgh", "乙", "xyz"} << "locked, stays";
    QTest::newRow("switching back counts nothing twice")
        << QStringList{"abcdefgh", "乙", "甲", "乙", "甲"} << "locked, stays";
    // The two deleted must be written again before the new chapter counts: 8 + 4 ends it,
    // 8 + 3 does not.
    QTest::newRow("deleting after the switch takes back nothing credited")
        << QStringList{"abcdefgh", "乙", "\b", "\b", "abcdef"} << "unlocked, moves";
    QTest::newRow("what was deleted is written again first")
        << QStringList{"abcdefgh", "乙", "\b", "\b", "abcde"} << "locked, stays";
}

void TstWindowWiring::wordLockCreditsChapterSwitches()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    callSlot(w.get(), "lock_slot", true, qint8(1), QString("12"));
    for (const QString& step : steps) {
        QTextEdit* editor = editorOf(*w);
        editor->moveCursor(QTextCursor::End);
        if (step == "甲" || step == "乙")
            clickItem(*w, "书/卷/" + step);
        else if (step == "\b")
            QTest::keyClick(editor, Qt::Key_Backspace);
        else
            typeText(editor, step);
        callSlot(w.get(), "timer_wordLock_slot");
    }
    // Once unlocked, the window can be dragged again.
    const QPoint before = w->pos();
    drag(w.get(), QPoint(400, 300), QPoint(40, 30));
    QCOMPARE(QString("%1, %2").arg(w->isFullScreen() ? "locked" : "unlocked",
                                   w->pos() == before ? "stays" : "moves"),
             expected);
}

QTEST_MAIN(TstWindowWiring)
#include "tst_windowwiring.moc"
