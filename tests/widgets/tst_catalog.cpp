#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "editor/editortext.h"
#include "library/catalogpaths.h"
#include "library/sqliteoper.h"
#include "settings/config.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTextCodec>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <unistd.h>

// Data safety in these tests: every save goes through the atomic rewrite of the file store
// (no truncated file); each case checks the bytes of the file that was open and of the
// file next to it (no save into the wrong file); renames are checked on disk and in the
// table (nothing moved outside its directory, nothing lost); text is compared byte for
// byte after an open and a save, including markup-like text and GB18030 files.
class TstCatalog : public QObject
{
    Q_OBJECT
private slots:
    void starterLibraryOnFirstStart();
    void openingSavesTheOpenTextAndShowsTheItem();
    void textRoundTripsExactly_data();
    void textRoundTripsExactly();
    void failedOpeningChangesNothing();
    void unreadableFileShowsAnErrorAndChangesNothing();
    void renameChapterInPlaceMovesFileAndRewritesTitle();
    void renameClashReloadsAndShowsTheError();
    void refusedNamesRestoreTheOldName_data();
    void refusedNamesRestoreTheOldName();
    void renamingBookOrVolumeKeepsTheOpenFileSaving_data();
    void renamingBookOrVolumeKeepsTheOpenFileSaving();
    void newChapterNeverOverwritesAnExistingFile();
    void contextMenus_data();
    void contextMenus();
    void mainMenuAndItsEntries();
};

namespace {

const QString kLib = QStringLiteral("data/我的书籍/");

// Entries of the menu that pops up while `show` runs; "—" for a separator.
QStringList popupEntries(const std::function<void()>& show)
{
    QStringList entries;
    QTimer::singleShot(0, [&entries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* a : menu->actions())
            entries << (a->isSeparator() ? QString("—") : a->text());
        menu->close();
    });
    show();
    return entries;
}

void rename(MainWindow& w, const QString& path, const QString& name)
{
    const QModelIndex index = indexOf(w, path);
    QVERIFY2(index.isValid(), qPrintable(path));
    QMetaObject::invokeMethod(&w, "on_treeView_doubleClicked", Q_ARG(QModelIndex, index));
    modelOf(w)->setData(index, name);
    QCoreApplication::processEvents();
}

} // namespace

void TstCatalog::starterLibraryOnFirstStart()
{
    TestAppDir app;
    {
        MainWindow w;
        QCOMPARE(treeLines(w), QStringList({"默认书名[1]", "  默认分卷[1]", "    默认章节[1]"}));
        const QModelIndex chapter = indexOf(w, "默认书名[1]/默认分卷[1]/默认章节[1]");
        QCOMPARE(chapter.data(Qt::UserRole + 3).toInt(), 3);
        QCOMPARE(chapter.data(Qt::UserRole + 4).toInt(), 3);
        QCOMPARE(indexOf(w, "默认书名[1]").data(Qt::UserRole + 1).toInt(), 1);
        QCOMPARE(indexOf(w, "默认书名[1]/默认分卷[1]").data(Qt::UserRole + 2).toInt(), 2);
        QCOMPARE(treeOf(w)->currentIndex(), chapter);

        QCOMPARE(editorOf(w)->toPlainText(), QString("默认章节[1]\n\n"));
        QVERIFY(editorOf(w)->isEnabled());
        QCOMPARE(editorOf(w)->textCursor().position(), 0);
        // Opening moves the cursor, and every cursor movement stars the title.
        QCOMPARE(titleOf(w), QString("默认章节[1]*"));
        QCOMPARE(statusPathOf(w), QString("默认书名[1]/默认分卷[1]/默认章节[1].txt"));
    }
    const QString book = app.file(kLib + "默认书名[1]");
    QCOMPARE(readBytes(book + "/默认分卷[1]/默认章节[1].txt"), QByteArray("默认章节[1]\n\n"));
    QVERIFY(QFileInfo(book + "/index.txt").isFile());
    QVERIFY(QFileInfo(book + "/默认分卷[1]/index.txt").isFile());
    QCOMPARE(bookRow(1), QVariantList({"默认书名[1]", book, 1, 0, 1.0, 0}));
    QCOMPARE(bookRow(2), QVariantList({"默认分卷[1]", book + "/默认分卷[1]", 2, 1, 1.0, 0}));
    QCOMPARE(bookRow(3), QVariantList({"默认章节[1]", book + "/默认分卷[1]/默认章节[1]", 3, 2, 1.0, 0}));
    QVERIFY(app.messages.isEmpty());

    // The next start loads the library instead of adding to it; nothing is open yet.
    MainWindow again;
    QCOMPARE(treeLines(again).size(), 3);
    QVERIFY(!editorOf(again)->isEnabled());
    QVERIFY(bookRow(4).isEmpty());
}

void TstCatalog::openingSavesTheOpenTextAndShowsTheItem()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"}, "第一行\n\n");
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    clickItem(w, "书/卷/甲");
    QCOMPARE(statusPathOf(w), QString("书/卷/甲.txt"));
    typeText(editorOf(w), "你好 world");
    writeBytes(app.file(kLib + "书/卷/乙.txt"), "乙的正文\n<b>第二段</b>");

    clickItem(w, "书/卷/乙");
    QCOMPARE(readBytes(app.file(kLib + "书/卷/甲.txt")), QByteArray("你好 world第一行\n\n"));
    QCOMPARE(readBytes(app.file(kLib + "书/卷/乙.txt")), QByteArray("乙的正文\n<b>第二段</b>"));
    QCOMPARE(editorOf(w)->toPlainText(), QString("乙的正文\n<b>第二段</b>"));
    QCOMPARE(titleOf(w), QString("乙*"));
    QCOMPARE(statusPathOf(w), QString("书/卷/乙.txt"));
    QCOMPARE(editorOf(w)->textCursor().position(), 0);
    QVERIFY(editorOf(w)->hasFocus());

    // A book opens its own text; an emptied editor is never written.
    editorOf(w)->clear();
    clickItem(w, "书");
    QCOMPARE(readBytes(app.file(kLib + "书/卷/乙.txt")), QByteArray("乙的正文\n<b>第二段</b>"));
    QCOMPARE(statusPathOf(w), QString("书/index.txt"));
    QCOMPARE(titleOf(w), QString("书"));
    QVERIFY(app.messages.isEmpty());
}

void TstCatalog::textRoundTripsExactly_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString markup = "<b>粗体</b> & <i>斜</i>\n<p>段落</p>&amp;\n\t制表\u3000全角  两空格\n😀\n"
                           "不换行\u00a0空格\u2028软换行\n\n";
    QTest::newRow("markup-like UTF-8") << markup.toUtf8() << markup;
    const QString han = "第一章 林'夕\n\n　　“你好，”她说。";
    QTest::newRow("GB18030 from Windows")
        << QTextCodec::codecForName("GB18030")->fromUnicode(han) << han;
}

void TstCatalog::textRoundTripsExactly()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"});
    writeBytes(app.file(kLib + "书/卷/甲.txt"), bytes);
    MainWindow w;
    QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, indexOf(w, "书/卷/甲")));
    QCOMPARE(editorPlainText(editorOf(w)->document()), text);
    QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, indexOf(w, "书/卷/乙")));
    // Saved as UTF-8, character for character.
    QCOMPARE(readBytes(app.file(kLib + "书/卷/甲.txt")), text.toUtf8());
}

void TstCatalog::failedOpeningChangesNothing()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"});
    MainWindow w;
    QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, indexOf(w, "书/卷/甲")));
    editorOf(w)->textCursor().insertText("新写的");
    QFile::remove(app.file(kLib + "书/卷/乙.txt"));

    QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, indexOf(w, "书/卷/乙")));
    QCOMPARE(editorOf(w)->toPlainText(), QString("新写的正文"));
    QCOMPARE(statusPathOf(w), QString("书/卷/甲.txt"));
    QCOMPARE(titleOf(w), QString("甲*"));
    // The next save still goes into the chapter the text belongs to.
    QMetaObject::invokeMethod(&w, "timer_save_slot");
    QCOMPARE(readBytes(app.file(kLib + "书/卷/甲.txt")), QByteArray("新写的正文"));
    QVERIFY(!QFileInfo::exists(app.file(kLib + "书/卷/乙.txt")));
    QVERIFY(app.messages.isEmpty());
}

void TstCatalog::unreadableFileShowsAnErrorAndChangesNothing()
{
    if (::geteuid() == 0)
        QSKIP("file permissions do not stop the superuser from reading");
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"});
    MainWindow w;
    QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, indexOf(w, "书/卷/甲")));
    const QString locked = app.file(kLib + "书/卷/乙.txt");
    QFile::setPermissions(locked, QFileDevice::Permissions());
    QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, indexOf(w, "书/卷/乙")));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(app.messages.value(0), qMakePair(2, QString("不能打开文件!")));
    QCOMPARE(statusPathOf(w), QString("书/卷/甲.txt"));
    QMetaObject::invokeMethod(&w, "qApp_quit");
    QCOMPARE(readBytes(locked), QByteArray("正文"));
}

void TstCatalog::renameChapterInPlaceMovesFileAndRewritesTitle()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/默认章节[2]", "书/卷/乙"}, "默认章节[2]\n\n正文");
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTreeView* tree = treeOf(w);
    const QPoint at = tree->visualRect(indexOf(w, "书/卷/默认章节[2]")).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    auto* line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(line);
    line->selectAll();
    typeText(line, "序章");
    QTest::keyClick(line, Qt::Key_Return);

    const QString dir = app.file(kLib + "书/卷/");
    QTRY_VERIFY(!QFileInfo::exists(dir + "默认章节[2].txt"));
    QCOMPARE(readBytes(dir + "序章.txt"), QByteArray("序章\n\n\n正文"));
    QCOMPARE(editorOf(w)->toPlainText(), QString("序章\n\n\n正文"));
    QCOMPARE(readBytes(dir + "乙.txt"), QByteArray("默认章节[2]\n\n正文"));
    QCOMPARE(bookRow(3).mid(0, 3), QVariantList({"序章", dir + "序章", 3}));
    QCOMPARE(statusPathOf(w), QString("书/卷/序章.txt"));
    QCOMPARE(treeLines(w), QStringList({"书", "  卷", "    序章", "    乙"}));
    QVERIFY(app.messages.isEmpty());
}

void TstCatalog::renameClashReloadsAndShowsTheError()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"});
    writeBytes(app.file(kLib + "书/卷/乙.txt"), "乙的正文");
    MainWindow w;
    QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, indexOf(w, "书/卷/甲")));
    rename(w, "书/卷/甲", "乙");
    QTRY_COMPARE(app.messages.size(), 1);
    QCOMPARE(app.messages[0], qMakePair(2, QString("重命名失败! 可能存在同名章节")));
    QCOMPARE(treeLines(w), QStringList({"书", "  卷", "    甲", "    乙"}));
    QCOMPARE(readBytes(app.file(kLib + "书/卷/甲.txt")), QByteArray("正文"));
    QCOMPARE(readBytes(app.file(kLib + "书/卷/乙.txt")), QByteArray("乙的正文"));
    QCOMPARE(bookRow(3).value(0).toString(), QString("甲"));
    QVERIFY(!editorOf(w)->isEnabled());
    QCOMPARE(statusPathOf(w), QString("书/卷/甲.txt"));
}

void TstCatalog::refusedNamesRestoreTheOldName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    const QString unsafe = "名称不能含有 / 或 \\，不能是 . 或 ..，首尾也不能有空格!";
    QTest::newRow("empty") << "" << "名称不能为空!";
    QTest::newRow("climbs out") << "../../逃" << unsafe;
    QTest::newRow("slash") << "上/下" << unsafe;
    QTest::newRow("backslash") << "上\\下" << unsafe;
    QTest::newRow("dot dot") << ".." << unsafe;
    QTest::newRow("trailing blank") << "甲 " << unsafe;
}

void TstCatalog::refusedNamesRestoreTheOldName()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    rename(w, "书/卷", name);
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{2, message}}));
    QCOMPARE(treeLines(w), QStringList({"书", "  卷", "    甲"}));
    QCOMPARE(QDir(app.file(kLib + "书")).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"卷"});
    QCOMPARE(QDir(app.file("data")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList({"回收站", "我的书籍"}));
    QCOMPARE(readBytes(app.file(kLib + "书/卷/甲.txt")), QByteArray("正文"));
    QCOMPARE(bookRow(2).value(0).toString(), QString("卷"));
}

void TstCatalog::renamingBookOrVolumeKeepsTheOpenFileSaving_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("renamed");
    QTest::addColumn<QString>("openPath");
    QTest::newRow("book, with a quote") << "书" << 1 << "林'夕" << "林'夕" << "林'夕/卷/甲.txt";
    QTest::newRow("volume named like a file")
        << "书/卷" << 2 << "上.txt篇" << "书/上.txt篇" << "书/上.txt篇/甲.txt";
}

void TstCatalog::renamingBookOrVolumeKeepsTheOpenFileSaving()
{
    QFETCH(QString, item);
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(QString, renamed);
    QFETCH(QString, openPath);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲", "书/卷/乙"});
    MainWindow w;
    QMetaObject::invokeMethod(&w, "on_treeView_clicked", Q_ARG(QModelIndex, indexOf(w, "书/卷/甲")));
    editorOf(w)->textCursor().insertText("接着写");
    rename(w, item, name);
    QVERIFY(app.messages.isEmpty());
    QCOMPARE(statusPathOf(w), openPath);
    // It stays what it was: a directory holding its chapters, and still that kind in the tree.
    QVERIFY(QFileInfo(app.file(kLib + renamed)).isDir());
    QVERIFY(QFileInfo(app.file(kLib + openPath)).isFile());
    QVERIFY(!QFileInfo::exists(app.file(kLib + item)));
    QCOMPARE(int(Catalog::kindOf(indexOf(w, renamed))), id);
    QCOMPARE(bookRow(id).mid(0, 3), QVariantList({name, app.file(kLib + renamed), id}));

    QMetaObject::invokeMethod(&w, "timer_save_slot");
    QCOMPARE(readBytes(app.file(kLib + openPath)), QByteArray("接着写正文"));
    QVERIFY(!QFileInfo::exists(app.file(kLib + item + "/卷/甲.txt")));
}

void TstCatalog::newChapterNeverOverwritesAnExistingFile()
{
    TestAppDir app;
    // The author renamed chapter 1 to the name the next new chapter would get.
    seedLibrary(app, {"书", "书/卷", "书/卷/默认章节[2]"}, "作者的第一章");
    MainWindow w;
    treeOf(w)->setCurrentIndex(indexOf(w, "书/卷"));
    QMetaObject::invokeMethod(&w, "newChapter_slot");
    QCOMPARE(treeLines(w), QStringList({"书", "  卷", "    默认章节[2]", "    默认章节[3]"}));
    QCOMPARE(readBytes(app.file(kLib + "书/卷/默认章节[2].txt")), QByteArray("作者的第一章"));
    QCOMPARE(readBytes(app.file(kLib + "书/卷/默认章节[3].txt")), QByteArray("默认章节[3]\n\n"));
    QCOMPARE(titleOf(w), QString("默认章节[3]*"));
    QCOMPARE(bookRow(4).mid(0, 5), QVariantList({"默认章节[3]", app.file(kLib + "书/卷/默认章节[3]"), 3, 2, 4.0}));

    // A volume likewise never shares a directory with one that exists.
    QDir().mkpath(app.file(kLib + "书/默认分卷[2]"));
    treeOf(w)->setCurrentIndex(indexOf(w, "书"));
    QMetaObject::invokeMethod(&w, "newVolume_slot");
    QCOMPARE(statusPathOf(w), QString("书/默认分卷[3]/index.txt"));
}

void TstCatalog::contextMenus_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("book") << "书" << QStringList({"新建卷", "删除此书", "—", "导出此书"});
    QTest::newRow("volume") << "书/卷" << QStringList({"新建章节"});
    QTest::newRow("chapter") << "书/卷/甲"
                             << QStringList({"新建章节", "插入章节", "—", "上移章节", "下移章节",
                                             "—", "删除此章"});
    QTest::newRow("empty area") << "" << QStringList({"创建新书", "导入书籍", "回收站", "时光机"});
}

void TstCatalog::contextMenus()
{
    QFETCH(QString, item);
    QFETCH(QStringList, entries);
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTreeView* tree = treeOf(w);
    const QPoint pos = item.isEmpty() ? QPoint(10, tree->viewport()->height() - 5)
                                      : tree->visualRect(indexOf(w, item)).center();
    const QStringList shown = popupEntries([&] {
        QMetaObject::invokeMethod(&w, "on_treeView_customContextMenuRequested", Q_ARG(QPoint, pos));
    });
    QCOMPARE(shown, entries);
}

void TstCatalog::mainMenuAndItsEntries()
{
    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"});
    {
        MainWindow first;
        std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
        s->setValue(Config::KeySound, true);
    }
    MainWindow w;
    QMenu* menu = w.findChild<QPushButton*>("btnMenu")->menu();
    QVERIFY(menu);
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << a->text();
    QCOMPARE(texts, QStringList({"按键声音", "操作电脑", "关于", "退出"}));
    QAction* keySound = menu->actions()[0];
    QVERIFY(keySound->isCheckable() && keySound->isChecked());
    QVERIFY(fakeServices().keySound);
    QStringList computer;
    for (QAction* a : menu->actions()[1]->menu()->actions())
        computer << a->text();
    QCOMPARE(computer, QStringList({"关机", "重启"}));

    keySound->trigger();
    QVERIFY(!fakeServices().keySound);
    menu->actions()[3]->trigger();
    QVERIFY(!fakeServices().hookInstalled);
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    QCOMPARE(s->value(Config::KeySound).toBool(), false);
}

QTEST_MAIN(TstCatalog)
#include "tst_catalog.moc"
