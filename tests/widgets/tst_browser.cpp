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

// A small HTTP server on 127.0.0.1: serves its pages and records each request line ("GET
// /path?query"). Every answer closes its connection, so a connection carries one request.
struct WebServer : QTcpServer {
    QHash<QString, QByteArray> pages;
    QStringList requests;

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
        requests << QString::fromLatin1(
            head.left(head.indexOf('\n')).split(' ').mid(0, 2).join(' '));
        const QByteArray body = pages.value(requests.last().section(' ', 1).section('?', 0, 0));
        s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                 QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        s->disconnectFromHost();
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
    void setMainPageVisible(QWidget*, bool) override {}
    void openAddress(QWidget* browser, const QString& address) override
    {
        opened << address;
        QVERIFY(browser == window && window->isVisible());
    }

    QList<QUrl> created;
    QWidget* window = nullptr;
    QStringList opened;
};

} // namespace

class TstBrowser : public QObject
{
    Q_OBJECT
private slots:
    void pagesStayInOneWindowAndKeepTheirQuery();
    void searchesShareOneWindowAndKeepTheirText();
    void missingPluginIsReported();
};

void TstBrowser::pagesStayInOneWindowAndKeepTheirQuery()
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
    server.pages = {{"/", page("首页", linkTo("next", "_self"))},
                    {"/next", page("第二页", linkTo("third", "_blank"))},
                    {"/third", page("第三页", "完")},
                    {"/s", page("结果", "结果")}};
    std::unique_ptr<QWidget> window(factory->createBrowser(server.url("/")));
    window->show();
    auto* view = window->findChild<QWebView*>();
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QString("首页"), 10000);

    // Links open here, also the one that asks for a new window.
    for (const QString& path : {QString("next"), QString("third")}) {
        const QWebElement link = view->page()->mainFrame()->findFirstElement("#" + path);
        QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, link.geometry().center());
        QTRY_COMPARE_WITH_TIMEOUT(view->url(), server.url("/" + path), 10000);
    }

    // An address goes to the server with its query as it was encoded.
    factory->openAddress(window.get(), server.url("/s").toString() + "?wd=A%26B%20%23C&cl=3");
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QString("结果"), 10000);
    QCOMPARE(server.requests.last(), QString("GET /s?wd=A%26B%20%23C&cl=3"));
}

void TstBrowser::searchesShareOneWindowAndKeepTheirText()
{
    TestAppDir app;
    RecordingBrowsers browsers;
    const QString text = "他穿越了。书名：A&B #1+1";
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"}, text);
    MainWindow w;
    clickItem(w, "书/卷/甲");
    QTextEdit* editor = editorOf(w);
    auto searchFor = [&](const QString& word) {
        QTextCursor c = editor->textCursor();
        c.setPosition(text.indexOf(word));
        c.setPosition(text.indexOf(word) + word.size(), QTextCursor::KeepAnchor);
        editor->setTextCursor(c);
        callSlot(&w, "searchInBaidu_slot");
    };
    searchFor("穿越");
    // The next search reuses its window, even after it was closed; the text stays exact.
    browsers.window->close();
    searchFor("A&B #1+1");
    QCOMPARE(browsers.created, QList<QUrl>{QUrl()});
    const QString search = QString("http://%1/s?wd=").arg(WebAddresses::SearchHost);
    QCOMPARE(browsers.opened,
             QStringList({search + "%E7%A9%BF%E8%B6%8A&cl=3", search + "A%26B%20%231%2B1&cl=3"}));
    QCOMPARE(editor->toPlainText(), text);
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
