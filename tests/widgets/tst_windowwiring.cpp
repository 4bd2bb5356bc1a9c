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

QString alignment(Qt::Alignment a)
{
    return a & Qt::AlignHCenter ? "centre"
           : a & Qt::AlignRight ? "right"
           : a & Qt::AlignLeft  ? "left"
                                : "other";
}

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

// Triggers `entry` of whichever menu pops up next, once it is showing.
void answerMenu(const QString& entry)
{
    QTimer::singleShot(0, [entry] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* found = nullptr;
        QList<QAction*> actions = menu ? menu->actions() : QList<QAction*>();
        while (!actions.isEmpty()) {
            QAction* a = actions.takeFirst();
            found = a->text() == entry ? a : found;
            if (a->menu())
                actions += a->menu()->actions();
        }
        if (menu)
            menu->close();
        if (found)
            found->trigger();
        else
            qWarning() << "no menu entry" << entry;
    });
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
    QTreeView* tree = treeOf(*w);
    tree->setCurrentIndex(indexOf(*w, "书/卷/甲"));
    emit tree->clicked(tree->currentIndex());
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
    QTest::addColumn<QString>("target"); // editor, window or title (a double click)
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<QString>("expected");
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+L aligns left") << "editor" << (ctrl | Qt::Key_L) << false << "align left";
    QTest::newRow("Ctrl+R aligns right")
        << "editor" << (ctrl | Qt::Key_R) << false << "align right";
    QTest::newRow("Ctrl+M centres") << "editor" << (ctrl | Qt::Key_M) << false << "align centre";
    QTest::newRow("Ctrl+Z takes back the typing")
        << "editor" << (ctrl | Qt::Key_Z) << false << "text 甲乙";
    QTest::newRow("Ctrl+plus enlarges") << "editor" << (ctrl | Qt::Key_Plus) << false << "size up";
    QTest::newRow("Ctrl+minus shrinks")
        << "editor" << (ctrl | Qt::Key_Minus) << false << "size down";
    QTest::newRow("Ctrl+B bolds") << "editor" << (ctrl | Qt::Key_B) << false << "bold 1";
    QTest::newRow("Escape in the editor leaves full screen")
        << "editor" << int(Qt::Key_Escape) << true << "full 0";
    QTest::newRow("Escape on the window leaves full screen")
        << "window" << int(Qt::Key_Escape) << true << "full 0";
    QTest::newRow("title-bar double click maximises") << "title" << 0 << false << "max 1";
}

void TstWindowWiring::keysReachTheirEffect()
{
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(bool, fullScreen);
    QFETCH(QString, expected);
    QTextEdit* editor = editorOf(*w);
    auto* size = w->findChild<QComboBox*>("font_size");
    editor->setAlignment(Qt::AlignJustify);
    typeText(editor, "新字");
    if (fullScreen)
        w->findChild<QAbstractButton*>("fullScreen")->click();
    const int sizeBefore = size->currentText().toInt();

    const auto modifiers = Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask);
    if (target == "title")
        QTest::mouseDClick(w->findChild<QWidget*>("widget_title"), Qt::LeftButton);
    else
        QTest::keyClick(target == "editor" ? static_cast<QWidget*>(editor) : w.get(),
                        Qt::Key(key & ~Qt::KeyboardModifierMask), modifiers);

    const QString what = expected.section(' ', 0, 0);
    const int sizeAfter = size->currentText().toInt();
    const QString seen =
        what == "align"  ? alignment(editor->alignment())
        : what == "text" ? editor->toPlainText()
        : what == "size" ? (sizeAfter > sizeBefore   ? "up"
                            : sizeAfter < sizeBefore ? "down"
                                                     : "same")
        : what == "bold" ? QString::number(w->findChild<QAbstractButton*>("bold")->isChecked())
        : what == "full"
            ? QString::number(w->isFullScreen())
            : QString::number(w->findChild<QAbstractButton*>("btnMenu_Max")->isChecked());
    QCOMPARE(what + ' ' + seen, expected);
}

void TstWindowWiring::contextMenusReachTheirSlots_data()
{
    QTest::addColumn<QString>("where"); // a tree item, "" (blank tree), "text" or "title"
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected"); // the tree afterwards, or "=" and what was asked
    const QString tree = "书,  卷,    甲,    乙";
    QTest::newRow("book: new volume") << "书"
                                      << "新建卷"
                                      << "书,  卷,    甲,    乙,  默认分卷\\[\\d+\\]";
    QTest::newRow("book: delete") << "书"
                                  << "删除此书"
                                  << "";
    QTest::newRow("book: export") << "书"
                                  << "导出此书"
                                  << "=export 书.txt";
    QTest::newRow("volume: new chapter") << "书/卷"
                                         << "新建章节" << tree + ",    默认章节\\[\\d+\\]";
    QTest::newRow("chapter: new chapter") << "书/卷/甲"
                                          << "新建章节" << tree + ",    默认章节\\[\\d+\\]";
    QTest::newRow("chapter: insert") << "书/卷/乙"
                                     << "插入章节"
                                     << "书,  卷,    甲,    默认章节\\[\\d+\\],    乙";
    QTest::newRow("chapter: up") << "书/卷/乙"
                                 << "上移章节"
                                 << "书,  卷,    乙,    甲";
    QTest::newRow("chapter: down") << "书/卷/甲"
                                   << "下移章节"
                                   << "书,  卷,    乙,    甲";
    QTest::newRow("chapter: delete") << "书/卷/甲"
                                     << "删除此章"
                                     << "书,  卷,    乙";
    QTest::newRow("blank: new book") << ""
                                     << "创建新书" << tree + ",默认书名\\[\\d+\\]";
    QTest::newRow("blank: import") << ""
                                   << "导入书籍"
                                   << "=import";
    QTest::newRow("blank: recycle bin") << ""
                                        << "回收站"
                                        << "=回收站";
    QTest::newRow("blank: time machine") << ""
                                         << "时光机"
                                         << "=时光机";
    QTest::newRow("text: select all") << "text"
                                      << "全选"
                                      << "=甲乙";
    QTest::newRow("text: search without a selection") << "text"
                                                      << "在百度中搜索"
                                                      << "=当前没有选中";
    QTest::newRow("title: about") << "title"
                                  << "关于"
                                  << "=版本:.*";
    QTest::newRow("title: power off asks first") << "title"
                                                 << "关机"
                                                 << "=确定要关机吗\\?";
}

void TstWindowWiring::contextMenusReachTheirSlots()
{
    QFETCH(QString, where);
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    QTreeView* tree = treeOf(*w);
    QTextEdit* editor = editorOf(*w);
    answerMenu(entry);
    if (where == "text") {
        emit editor->customContextMenuRequested(QPoint(5, 5));
    } else if (where == "title") {
        w->findChild<QPushButton*>("btnMenu")->showMenu();
    } else {
        const QModelIndex index = where.isEmpty() ? QModelIndex() : indexOf(*w, where);
        if (index.isValid())
            tree->setCurrentIndex(index);
        const QPoint at = index.isValid() ? tree->visualRect(index).center()
                                          : QPoint(5, tree->viewport()->height() - 5);
        emit tree->customContextMenuRequested(at);
    }
    QCoreApplication::processEvents();
    const QString seen = expected.startsWith('=') ? '=' + (!chosen.isEmpty() ? chosen
                                                           : editor->textCursor().hasSelection()
                                                               ? editor->textCursor().selectedText()
                                                               : shownWindow(*w, *app))
                                                  : treeLines(*w).join(',');
    QVERIFY2(QRegularExpression('^' + expected + '$').match(seen).hasMatch(), qPrintable(seen));
}

void TstWindowWiring::timersRunAtTheirIntervals_data()
{
    QTest::addColumn<QString>("start"); // a lock's minutes, or empty
    QTest::addColumn<int>("interval");
    QTest::addColumn<QString>("effect");
    QTest::newRow("autosave every three minutes") << "" << 180000 << "backup";
    QTest::newRow("time lock of 7 minutes") << "7" << 7 * 60000 << "unlocked";
    QTest::newRow("time lock of 2000 minutes") << "2000" << 2000 * 60000 << "unlocked";
}

void TstWindowWiring::timersRunAtTheirIntervals()
{
    QFETCH(QString, start);
    QFETCH(int, interval);
    QFETCH(QString, effect);
    typeText(editorOf(*w), "新字");
    if (!start.isEmpty())
        QVERIFY(QMetaObject::invokeMethod(w.get(), "lock_slot", Q_ARG(bool, true), Q_ARG(qint8, 2),
                                          Q_ARG(QString, start)));
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
    // Typing in 甲, then each step: "乙" or "甲" opens that chapter, other text is typed;
    // the lock's goal is 12 characters.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");
    QTest::newRow("typed before a switch counts")
        << QStringList{"abcdefgh", "乙", "xyzw"} << "unlocked, moves";
    QTest::newRow("short of the goal") << QStringList{"abcdefgh", "乙", "xyz"} << "locked, stays";
    QTest::newRow("switching back counts nothing twice")
        << QStringList{"abcdefgh", "乙", "甲", "乙", "甲"} << "locked, stays";
    QTest::newRow("deleting after the switch takes nothing back")
        << QStringList{"abcdefgh", "乙", "\b\b", "abcd"} << "unlocked, moves";
}

void TstWindowWiring::wordLockCreditsChapterSwitches()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    QVERIFY(QMetaObject::invokeMethod(w.get(), "lock_slot", Q_ARG(bool, true), Q_ARG(qint8, 1),
                                      Q_ARG(QString, "12")));
    for (const QString& step : steps) {
        QTextEdit* editor = editorOf(*w);
        if (step == "甲" || step == "乙") {
            treeOf(*w)->setCurrentIndex(indexOf(*w, "书/卷/" + step));
            emit treeOf(*w)->clicked(treeOf(*w)->currentIndex());
        } else if (step == "\\b\\b") {
            editor->moveCursor(QTextCursor::End);
            QTest::keyClick(editor, Qt::Key_Backspace);
            QTest::keyClick(editor, Qt::Key_Backspace);
        } else {
            editor->moveCursor(QTextCursor::End);
            typeText(editor, step);
        }
        QVERIFY(QMetaObject::invokeMethod(w.get(), "timer_wordLock_slot"));
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
