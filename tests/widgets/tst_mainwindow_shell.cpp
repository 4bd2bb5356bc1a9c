#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "settings/config.h"

#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

class TstMainWindowShell : public QObject
{
    Q_OBJECT
private slots:
    void firstStartCreatesTheApplicationDirectory();
    void formCarriesTheNamedWidgets_data();
    void formCarriesTheNamedWidgets();
    void hiddenAtStart();
    void fixedWiringClicksTheTarget();
    void statusBarClock();
    void quitStoresTheOpenPathAndKeepsTheFileWhenEmpty();
    void closeHidesToTrayOnlyWhenThereIsOne();
    void existingConfigIsNotUpgraded();
    void unopenableDatabaseStopsStartUp();
};

void TstMainWindowShell::firstStartCreatesTheApplicationDirectory()
{
    TestAppDir app;
    MainWindow w;
    QVERIFY(w.isInitialised());
    for (const char* dir : {"data", "data/我的书籍", "data/回收站", "bak", "key"})
        QVERIFY2(QFileInfo(app.file(QString::fromUtf8(dir))).isDir(), dir);
    QVERIFY(QFileInfo(app.file("config.ini")).isFile());
    QVERIFY(QFileInfo(app.file("sys.db")).isFile());
    QVERIFY(fakeServices().hookInstalled);
    QCOMPARE(fakeServices().liveShortcuts, 1);
    QCOMPARE(fakeServices().lastShortcut->key, QKeySequence("F8"));
    QCOMPARE(w.size(), QSize(800, 705));
    QCOMPARE(w.minimumSize(), QSize(800, 500));
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w.windowTitle(), QString("Lorvane写作神器"));
}

void TstMainWindowShell::formCarriesTheNamedWidgets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shortcut");
    QTest::newRow("catalog") << "catalog" << "目录(D)" << "Ctrl+D";
    QTest::newRow("fullScreen") << "fullScreen" << "全屏(H)" << "Ctrl+H";
    QTest::newRow("settings") << "settings" << "设置(G)" << "Ctrl+G";
    QTest::newRow("browser") << "browser" << "辅助(W)" << "Ctrl+W";
    QTest::newRow("lock") << "lock" << "锁定(K)" << "Ctrl+K";
    QTest::newRow("search") << "search" << "查找(F)" << "Ctrl+F";
    QTest::newRow("one_key") << "one_key" << "排版(O)" << "Ctrl+O";
    QTest::newRow("btn_bak") << "btn_bak" << "时光机" << "";
    QTest::newRow("btn_recycle") << "btn_recycle" << "回收站" << "";
    QTest::newRow("lock1") << "lock1" << "锁定" << "Ctrl+K";
    QTest::newRow("toolButton_5") << "toolButton_5" << "排版" << "";
    // The formatting row shows icon-font glyphs; its words stay as tool tips.
    QTest::newRow("font_samll") << "font_samll" << "\uF010" << "";
    QTest::newRow("one_key_1") << "one_key_1" << "\uF0C9" << "";
}

void TstMainWindowShell::formCarriesTheNamedWidgets()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, shortcut);
    TestAppDir app;
    MainWindow w;
    auto* b = w.findChild<QToolButton*>(name);
    QVERIFY2(b, qPrintable(name));
    QCOMPARE(b->text(), text);
    QCOMPARE(b->shortcut(), QKeySequence(shortcut));
}

void TstMainWindowShell::hiddenAtStart()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    for (const char* name : {"font", "font_size", "widget_tool1", "widget_search",
                             "Widget_toolText", "left_label", "right_label"}) {
        auto* widget = w.findChild<QWidget*>(name);
        QVERIFY2(widget && !widget->isVisible(), name);
    }
    QVERIFY(w.findChild<QWidget*>("widget_title")->isVisible());
    QVERIFY(!w.findChild<QTextEdit*>("textEdit")->acceptRichText());
    QCOMPARE(w.findChild<QTreeView*>("treeView")->indentation(), 20);
}

void TstMainWindowShell::fixedWiringClicksTheTarget()
{
    TestAppDir app;
    MainWindow w;
    const QList<QPair<const char*, const char*>> wiring{
        {"lock1", "lock"},          {"toolButton", "browser"}, {"toolButton_2", "settings"},
        {"toolButton_4", "search"}, {"toolButton_5", "one_key"}, {"search1", "search"},
        {"one_key_1", "one_key"}};
    for (const auto& pair : wiring) {
        auto* from = w.findChild<QToolButton*>(pair.first);
        auto* to = w.findChild<QToolButton*>(pair.second);
        QSignalSpy spy(to, &QToolButton::clicked);
        from->click();
        QVERIFY2(spy.count() == 1, pair.first);
    }
}

void TstMainWindowShell::statusBarClock()
{
    TestAppDir app;
    MainWindow w;
    const QList<QLabel*> labels = w.findChild<QStatusBar*>("statusBar")->findChildren<QLabel*>();
    QLabel* clock = nullptr;
    for (QLabel* l : labels)
        if (l->text().startsWith("\t\t"))
            clock = l;
    QVERIFY(clock);
    const QRegularExpression shape("^\t\t\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d \\S+\t\t$");
    QVERIFY2(shape.match(clock->text()).hasMatch(), qPrintable(clock->text()));
    const QString before = clock->text();
    QTRY_VERIFY_WITH_TIMEOUT(clock->text() != before, 2500);
}

void TstMainWindowShell::quitStoresTheOpenPathAndKeepsTheFileWhenEmpty()
{
    TestAppDir app;
    const QString chapter = app.file("data/我的书籍/书/卷/章.txt");
    {
        MainWindow w;
        writeBytes(chapter, "原文");
        std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
        s->setValue(Config::CurOpenChapter, chapter);
    }
    MainWindow w;
    QVERIFY(w.findChild<QTextEdit*>("textEdit")->toPlainText().isEmpty());
    QMetaObject::invokeMethod(&w, "qApp_quit");
    QCOMPARE(readBytes(chapter), QByteArray("原文"));
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    QCOMPARE(s->value(Config::CurOpenChapter).toString(), chapter);
    QVERIFY(s->contains(Config::KeySound));
    QVERIFY(!fakeServices().hookInstalled);
}

void TstMainWindowShell::closeHidesToTrayOnlyWhenThereIsOne()
{
    TestAppDir app;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // The offscreen platform has no tray: closing is then the orderly quit.
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
    w.close();
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    QVERIFY(s->contains(Config::KeySound));
    QVERIFY(!fakeServices().hookInstalled);
}

void TstMainWindowShell::existingConfigIsNotUpgraded()
{
    TestAppDir app;
    writeBytes(app.file("config.ini"), "[chapterOption]\nprice=70\n");
    MainWindow w;
    std::unique_ptr<QSettings> s(Config::open(app.file("config.ini")));
    QCOMPARE(s->allKeys(), QStringList{"chapterOption/price"});
}

void TstMainWindowShell::unopenableDatabaseStopsStartUp()
{
    TestAppDir app;
    QDir().mkdir(app.file("sys.db"));
    MainWindow w;
    QVERIFY(!w.isInitialised());
    QCOMPARE(app.messages.size(), 1);
    QCOMPARE(app.messages[0].first, 2);
    QVERIFY(app.messages[0].second.contains("sys.db"));
    QVERIFY(!fakeServices().hookInstalled);
}

QTEST_MAIN(TstMainWindowShell)
#include "tst_mainwindow_shell.moc"
