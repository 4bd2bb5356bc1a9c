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
    QWidget* homeWindow = browsers.window;
    QVERIFY(homeWindow->parentWidget() == &w && homeWindow->isVisible());
    homeWindow->close();
    button->click();
    QVERIFY(homeWindow->isVisible());

    clickItem(w, "书/卷/甲");
    QTextEdit* editor = editorOf(w);
    auto searchFor = [&](const QString& word) {
        QTextCursor c = editor->textCursor();
        c.setPosition(text.indexOf(word));
        c.setPosition(text.indexOf(word) + word.size(), QTextCursor::KeepAnchor);
        editor->setTextCursor(c);
        callSlot(&w, "searchInBaidu_slot");
    };
    searchFor("");
    QCOMPARE(app.messages, (QList<QPair<int, QString>>{{Messages::Error, "当前没有选中"}}));
    searchFor("穿越");
    // The next search reuses its window, even after it was closed; the text stays exact.
    browsers.window->close();
    searchFor("A&B #1+1");
    QCOMPARE(browsers.created, (QList<QUrl>{home, QUrl()}));
    QCOMPARE(browsers.mainPageVisible, QList<bool>{false});
    const QString search = QString("http://%1/s?wd=").arg(WebAddresses::SearchHost);
    QCOMPARE(browsers.opened,
             QStringList({search + "%E7%A9%BF%E8%B6%8A&cl=3", search + "A%26B%20%231%2B1&cl=3"}));
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
    editorOf(w)->setPlainText("穿越");
    editorOf(w)->selectAll();
    callSlot(&w, "searchInBaidu_slot");
    QCOMPARE(app.messages.size(), 2);
}

QTEST_MAIN(TstBrowserWindows)
#include "tst_browserwindows.moc"
