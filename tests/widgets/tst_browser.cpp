#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "app/messages.h"
#include "extras/browserfactory.h"
#include "extras/browserplugin.h"
#include "extras/webaddresses.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QWebElement>
#include <QWebFrame>
#include <QWebView>
#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace {

QByteArray page(const QString& title, const QString& body)
{
    return QString("<html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                   "<body style=\"margin:0\">%2</body></html>")
        .arg(title, body)
        .toUtf8();
}

QByteArray linkTo(const QString& path, const QString& target)
{
    return QString("<a id=\"%1\" href=\"/%1\" target=\"%2\" "
                   "style=\"display:block;width:200px;height:40px\">%1</a>")
        .arg(path, target)
        .toUtf8();
}

// A small HTTP server on 127.0.0.1: serves its pages, records each request line ("GET
// /path?query") with its User-Agent, and keeps the answer for `held` until release().
// Every answer closes its connection, so a connection carries one request.
struct WebServer : QTcpServer {
    QHash<QString, QByteArray> pages;
    QStringList requests, agents;
    QString held;
    QList<QPointer<QTcpSocket>> waiting;

    WebServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, [this, s] { read(s); });
        });
    }
    QUrl url(const QString& path) const
    {
        return QUrl(QString("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
    }
    void read(QTcpSocket* s)
    {
        const QByteArray head = s->peek(s->bytesAvailable());
        if (!head.contains("\r\n\r\n"))
            return;
        s->readAll();
        const QList<QByteArray> lines = head.split('\n');
        requests << QString::fromLatin1(lines[0].split(' ').mid(0, 2).join(' '));
        for (const QByteArray& line : lines)
            if (line.toLower().startsWith("user-agent:"))
                agents << QString::fromLatin1(line.mid(11).trimmed());
        const QString path = requests.last().section(' ', 1).section('?', 0, 0);
        path == held ? waiting.append(s) : answer(s, path);
    }
    void answer(QTcpSocket* s, const QString& path)
    {
        const QByteArray body = pages.value(path);
        s->write("HTTP/1.1 200 OK\r\nContent-Type: " +
                 QByteArray(path.endsWith(".png") ? "image/png" : "text/html; charset=utf-8") +
                 "\r\nContent-Length: " + QByteArray::number(body.size()) +
                 "\r\nConnection: close\r\n\r\n" + body);
        s->disconnectFromHost();
    }
    void release()
    {
        for (const QPointer<QTcpSocket>& s : qAsConst(waiting))
            if (s)
                answer(s, held);
        held.clear();
    }
};

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

class TstBrowser : public QObject
{
    Q_OBJECT
private slots:
    void pagesLoadAsAPhoneInOneWindow();
    void homePageAndSearchesKeepTheirOwnWindows();
    void missingPluginIsReported();
};

void TstBrowser::pagesLoadAsAPhoneInOneWindow()
{
    // Keep whatever the web engine might store inside this test, and talk to the local
    // server directly even where the machine has a proxy configured.
    QTemporaryDir home;
    for (const char* var : {"XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME"})
        qputenv(var, QFile::encodeName(home.path() + "/" + var));
    for (const char* var : {"http_proxy", "HTTP_PROXY", "https_proxy", "all_proxy"})
        qunsetenv(var);
    QPluginLoader loader(QStringLiteral(LORVANE_BROWSER_PLUGIN_PATH));
    auto* factory = qobject_cast<BrowserFactory*>(loader.instance());
    QVERIFY2(factory, qPrintable(loader.errorString()));

    WebServer server;
    server.pages = {{"/", page("首页", linkTo("next", "_self") + "<img src=\"/slow.png\">")},
                    {"/next", page("第二页", linkTo("third", "_blank"))},
                    {"/third", page("第三页", "完")},
                    {"/s", page("结果", "结果")}};
    server.held = "/slow.png";
    std::unique_ptr<QWidget> window(factory->createBrowser(server.url("/")));
    window->show();
    QCOMPARE(window->size(), QSize(300, 500));
    auto* view = window->findChild<QWebView*>();
    auto* location = window->findChild<QLineEdit*>();
    QVERIFY(!location->isEnabled());
    // The title has arrived, the picture has not: the title carries the percentage.
    const QRegularExpression loading("^首页 \\((\\d+)%\\)$");
    QTRY_VERIFY_WITH_TIMEOUT(loading.match(window->windowTitle()).hasMatch(), 10000);
    const int percent = loading.match(window->windowTitle()).captured(1).toInt();
    QVERIFY2(percent >= 1 && percent <= 99, qPrintable(window->windowTitle()));
    server.release();
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QString("首页"), 10000);
    QCOMPARE(location->text(), server.url("/").toString());

    // Links open here, also the one that asks for a new window.
    QSignalSpy clicks(view, &QWebView::linkClicked);
    for (const QString& path : {QString("next"), QString("third")}) {
        const QWebElement link = view->page()->mainFrame()->findFirstElement("#" + path);
        QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, link.geometry().center());
        QTRY_COMPARE_WITH_TIMEOUT(view->url(), server.url("/" + path), 10000);
    }
    QCOMPARE(window->windowTitle(), QString("第三页"));
    QCOMPARE(clicks.count(), 2);

    // An address goes to the server with its query as it was encoded.
    QAction* homeEntry = window->findChild<QToolBar*>()->actions().at(4);
    QCOMPARE(homeEntry->text(), QString("主页"));
    factory->setMainPageVisible(window.get(), false);
    QVERIFY(!homeEntry->isVisible());
    factory->openAddress(window.get(), server.url("/s").toString() + "?wd=A%26B%20%23C&cl=3");
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QString("结果"), 10000);
    QCOMPARE(server.requests.last(), QString("GET /s?wd=A%26B%20%23C&cl=3"));
    for (const char* request : {"GET /", "GET /slow.png", "GET /next", "GET /third"})
        QVERIFY2(server.requests.contains(request), qPrintable(server.requests.join(", ")));
    const QString phone = "Mozilla/5.0 (iPhone; U; CPU iPhone OS 4_0 like Mac OS X; en-us) "
                          "AppleWebKit/532.9 (KHTML, like Gecko) Version/4.0.5 Mobile/8A293 "
                          "Safari/6531.22.7";
    QCOMPARE(server.agents.count(phone), server.requests.size());
}

void TstBrowser::homePageAndSearchesKeepTheirOwnWindows()
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

void TstBrowser::missingPluginIsReported()
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

QTEST_MAIN(TstBrowser)
#include "tst_browser.moc"
