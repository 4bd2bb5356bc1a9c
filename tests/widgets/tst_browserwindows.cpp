#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/messages.h"

#include "app/mainwindow.h"
#include "extras/browserfactory.h"
#include "extras/browserplugin.h"
#include "extras/webaddresses.h"

#include <QtTest>
#include <QtWidgets>

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
        window = new QWidget;
        return window;
    }
    void setMainPageVisible(QWidget*, bool visible) override { mainPageVisible << visible; }
    void openAddress(QWidget* browser, const QString& address) override
    {
        opened << address;
        QVERIFY(browser == window && window->isVisible());
    }

    QList<QUrl> created;
    QWidget* window = nullptr;
    QList<bool> mainPageVisible;
    QStringList opened;
};

} // namespace

class TstBrowserWindows : public QObject
{
    Q_OBJECT
private slots:
    void homePageAndSearchesKeepTheirOwnWindows();
    void missingPluginIsReported();
};

void TstBrowserWindows::homePageAndSearchesKeepTheirOwnWindows()
{
    TestAppDir app;
    RecordingBrowsers browsers;
    const QString text = "他穿越了。书名：A&B #1+1";
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"}, text);
    MainWindow w;
    auto* button = w.findChild<QToolButton*>("browser");
    button->click();
    const QUrl home(QString("http://%1/").arg(WebAddresses::HomeHost));
    QCOMPARE(browsers.created, QList<QUrl>{home});
    QWidget* homeWindow = browsers.window;
    QCOMPARE(homeWindow->parentWidget(), &w);
    QVERIFY(homeWindow->isVisible());
    homeWindow->close();
    button->click();
    QCOMPARE(browsers.created.size(), 1);
    QVERIFY(homeWindow->isVisible());
    QVERIFY(browsers.mainPageVisible.isEmpty());

    clickItem(w, "书/卷/甲");
    QTextEdit* editor = editorOf(w);
    QAction* search = nullptr;
    for (QMenu* menu : w.findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            search = a->text() == "在百度中搜索" ? a : search;
    QVERIFY(search);
    auto searchFor = [&](const QString& word) {
        QTextCursor c = editor->textCursor();
        c.setPosition(text.indexOf(word));
        c.setPosition(text.indexOf(word) + word.size(), QTextCursor::KeepAnchor);
        editor->setTextCursor(c);
        search->trigger();
    };

    searchFor("");
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{Messages::Error, "当前没有选中"}}));
    QCOMPARE(browsers.created.size(), 1);
    searchFor("穿越");
    QCOMPARE(browsers.created, (QList<QUrl>{home, QUrl()}));
    QCOMPARE(browsers.mainPageVisible, QList<bool>{false});
    QCOMPARE(browsers.opened,
             QStringList{
                 QString("http://%1/s?wd=%E7%A9%BF%E8%B6%8A&cl=3").arg(WebAddresses::SearchHost)});

    // The next search reuses its window, even after it was closed; the text stays exact.
    browsers.window->close();
    searchFor("A&B #1+1");
    QCOMPARE(browsers.created.size(), 2);
    QCOMPARE(browsers.opened.value(1),
             QString("http://%1/s?wd=A%26B%20%231%2B1&cl=3").arg(WebAddresses::SearchHost));
    QCOMPARE(editor->toPlainText(), text);
    QVERIFY(homeWindow->isVisible());
}

void TstBrowserWindows::missingPluginIsReported()
{
    // The test program's folder has no plugins folder, like a broken installation.
    TestAppDir app;
    MainWindow w;
    w.findChild<QToolButton*>("browser")->click();
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{Messages::Error, "内置浏览器无法加载"}}));
    auto* editor = w.findChild<QTextEdit*>("textEdit");
    editor->setPlainText("穿越");
    editor->selectAll();
    callSlot(&w, "searchInBaidu_slot");
    QCOMPARE(app.messages.size(), 2);
}

QTEST_MAIN(TstBrowserWindows)
#include "tst_browserwindows.moc"
