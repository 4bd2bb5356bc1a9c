#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "extras/browserfactory.h"
#include "extras/browserplugin.h"
#include "extras/webaddresses.h"

#include <QHash>
#include <QMenu>
#include <QTextEdit>
#include <QToolButton>
#include <QUrlQuery>
#include <QtTest>

namespace {

// Stands in for the web engine: records what the main window asks of the browser and
// makes plain windows, so nothing goes to the network.
class RecordingBrowsers : public BrowserFactory
{
public:
    RecordingBrowsers() { BrowserPlugin::setFactory(this); }
    ~RecordingBrowsers() override { BrowserPlugin::setFactory(nullptr); }
    QWidget* createBrowser(const QUrl& url) override
    {
        created << url;
        windows << new QWidget;
        return windows.last();
    }
    void setMainPageVisible(QWidget* browser, bool visible) override
    {
        mainPageVisible[browser] = visible;
    }
    void openAddress(QWidget* browser, const QString& address) override
    {
        opened << qMakePair(browser, address);
    }

    QList<QUrl> created;
    QList<QWidget*> windows;
    QHash<QWidget*, bool> mainPageVisible;
    QList<QPair<QWidget*, QString>> opened;
};

void selectWord(QTextEdit* editor, const QString& text, const QString& word)
{
    editor->setEnabled(true);
    editor->setPlainText(text);
    QTextCursor c = editor->textCursor();
    c.setPosition(text.indexOf(word));
    c.setPosition(text.indexOf(word) + word.size(), QTextCursor::KeepAnchor);
    editor->setTextCursor(c);
}

} // namespace

class TstBrowserWindows : public QObject
{
    Q_OBJECT
private slots:
    void browserButtonOpensTheHomePageOnceAndKeepsTheWindow();
    void webSearchNeedsASelection();
    void webSearchOpensTheQueryInItsOwnWindow();
    void missingPluginIsReported();
    void textMenuSearchesTheSelectionOfAnOpenedChapter();
};

void TstBrowserWindows::browserButtonOpensTheHomePageOnceAndKeepsTheWindow()
{
    TestAppDir app;
    RecordingBrowsers browsers;
    MainWindow w;
    auto* button = w.findChild<QToolButton*>("browser");
    button->click();
    const QUrl home(QString("http://%1/").arg(WebAddresses::HomeHost));
    QCOMPARE(browsers.created, QList<QUrl>{home});
    QWidget* browser = browsers.windows.at(0);
    QCOMPARE(browser->parentWidget(), &w);
    QCOMPARE(browser->windowType(), Qt::Dialog);
    QVERIFY(browser->isVisible());
    QVERIFY(browsers.mainPageVisible.isEmpty());

    browser->close();
    QVERIFY(!browser->isVisible());
    button->click();
    QCOMPARE(browsers.created.size(), 1);
    QVERIFY(browser->isVisible());
    QVERIFY(browsers.opened.isEmpty());
    QVERIFY(app.messages.isEmpty());
}

void TstBrowserWindows::webSearchNeedsASelection()
{
    TestAppDir app;
    RecordingBrowsers browsers;
    MainWindow w;
    selectWord(w.findChild<QTextEdit*>("textEdit"), "他穿越了", "");
    QVERIFY(QMetaObject::invokeMethod(&w, "searchInBaidu_slot"));
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{2, "当前没有选中"}}));
    QVERIFY(browsers.created.isEmpty());
    QVERIFY(browsers.opened.isEmpty());
}

void TstBrowserWindows::webSearchOpensTheQueryInItsOwnWindow()
{
    TestAppDir app;
    RecordingBrowsers browsers;
    MainWindow w;
    auto* editor = w.findChild<QTextEdit*>("textEdit");
    selectWord(editor, "他穿越了", "穿越");
    QVERIFY(QMetaObject::invokeMethod(&w, "searchInBaidu_slot"));

    QCOMPARE(browsers.created, QList<QUrl>{QUrl()});
    QCOMPARE(browsers.opened.size(), 1);
    QWidget* search = browsers.opened.at(0).first;
    QCOMPARE(search->parentWidget(), &w);
    QCOMPARE(search->windowType(), Qt::Dialog);
    QVERIFY(search->isVisible());
    QCOMPARE(browsers.mainPageVisible.value(search, true), false);
    QCOMPARE(browsers.opened.at(0).second,
             QString("http://%1/s?wd=%E7%A9%BF%E8%B6%8A&cl=3").arg(WebAddresses::SearchHost));

    // The next search reuses the window, even after it was closed; the text stays exact.
    search->close();
    selectWord(editor, "书名：A&B #1+1", "A&B #1+1");
    QVERIFY(QMetaObject::invokeMethod(&w, "searchInBaidu_slot"));
    QCOMPARE(browsers.created.size(), 1);
    QCOMPARE(browsers.opened.size(), 2);
    QCOMPARE(browsers.opened.at(1).first, search);
    QVERIFY(search->isVisible());
    const QUrlQuery query(QUrl(browsers.opened.at(1).second, QUrl::TolerantMode));
    QCOMPARE(query.queryItemValue("wd", QUrl::FullyDecoded), QString("A&B #1+1"));
    QCOMPARE(query.queryItemValue("cl"), QString("3"));
    QVERIFY(app.messages.isEmpty());
}

void TstBrowserWindows::missingPluginIsReported()
{
    // The test program's folder has no plugins folder, like a broken installation.
    TestAppDir app;
    MainWindow w;
    w.findChild<QToolButton*>("browser")->click();
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{2, "内置浏览器无法加载"}}));
    selectWord(w.findChild<QTextEdit*>("textEdit"), "穿越", "穿越");
    QVERIFY(QMetaObject::invokeMethod(&w, "searchInBaidu_slot"));
    QCOMPARE(app.messages.size(), 2);
}

void TstBrowserWindows::textMenuSearchesTheSelectionOfAnOpenedChapter()
{
    TestAppDir app;
    RecordingBrowsers browsers;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"}, "他穿越了");
    MainWindow w;
    clickItem(w, "书/卷/甲");
    QTextEdit* editor = editorOf(w);
    QTextCursor c = editor->textCursor();
    c.setPosition(1);
    c.setPosition(3, QTextCursor::KeepAnchor);
    editor->setTextCursor(c);
    QAction* search = nullptr;
    for (QMenu* menu : w.findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            if (a->text() == "在百度中搜索")
                search = a;
    QVERIFY(search);
    search->trigger();
    QCOMPARE(browsers.opened.size(), 1);
    const QUrl sent(browsers.opened.at(0).second, QUrl::TolerantMode);
    QCOMPARE(sent.host(), QString(WebAddresses::SearchHost));
    QCOMPARE(QUrlQuery(sent).queryItemValue("wd", QUrl::FullyDecoded), QString("穿越"));
    QCOMPARE(editor->toPlainText(), QString("他穿越了"));
}

QTEST_MAIN(TstBrowserWindows)
#include "tst_browserwindows.moc"
