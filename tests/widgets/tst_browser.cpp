#include "extras/browserfactory.h"
#include "extras/webaddresses.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QWebElement>
#include <QWebFrame>
#include <QWebView>
#include <QtTest>
#include <QtWidgets>

#include <memory>

class TstBrowser : public QObject
{
    Q_OBJECT
private slots:
    void linksStayInOneWindowAndSearchesKeepTheirText();
};

void TstBrowser::linksStayInOneWindowAndSearchesKeepTheirText()
{
    // Whatever the web engine stores stays inside this test, and the local server is reached
    // directly even where the machine has a proxy.
    QTemporaryDir home;
    for (const char* var : {"XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME"})
        qputenv(var, QFile::encodeName(home.path() + "/" + var));
    for (const char* var : {"http_proxy", "HTTP_PROXY", "https_proxy", "all_proxy"})
        qunsetenv(var);
    QPluginLoader loader(QStringLiteral(LORVANE_BROWSER_PLUGIN_PATH));
    auto* factory = qobject_cast<BrowserFactory*>(loader.instance());
    QVERIFY2(factory, qPrintable(loader.errorString()));

    // A server on 127.0.0.1 recording each request line ("GET /path?query"). Each page is
    // titled with its path and links, asking for a new window, to that path with "x" added.
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QStringList requests;
    connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* s = server.nextPendingConnection();
        connect(s, &QTcpSocket::readyRead, [&requests, s] {
            const QByteArray head = s->peek(s->bytesAvailable());
            if (!head.contains("\r\n\r\n"))
                return;
            requests << QString::fromLatin1(s->readAll().left(head.indexOf(" HTTP/")));
            const QByteArray body = QString("<html><head><title>%1</title></head><body><a id=a "
                                            "href=%1x target=_blank>link</a></body></html>")
                                        .arg(requests.last().section(' ', 1).section('?', 0, 0))
                                        .toUtf8();
            s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n"
                     "Content-Length: " +
                     QByteArray::number(body.size()) + "\r\n\r\n" + body);
            s->disconnectFromHost();
        });
    });
    const QString local = QString("http://127.0.0.1:%1/").arg(server.serverPort());
    std::unique_ptr<QWidget> window(factory->createBrowser(QUrl(local)));
    window->show();
    auto* view = window->findChild<QWebView*>();
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QString("/"), 10000);
    // A link asking for a new window opens here.
    const QWebElement link = view->page()->mainFrame()->findFirstElement("#a");
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, link.geometry().center());
    QTRY_COMPARE_WITH_TIMEOUT(view->url(), QUrl(local + "x"), 10000);

    // A search for text with &, #, + and % reaches the server as that text, not as more of
    // the query; only the host differs from the search engine's address.
    QUrl search = WebAddresses::searchQuery("穿越 A&B #1+1 100%");
    QCOMPARE(search.host(), QString(WebAddresses::SearchHost));
    search.setHost("127.0.0.1");
    search.setPort(server.serverPort());
    factory->openAddress(window.get(), search.toString(QUrl::FullyEncoded));
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QString("/s"), 10000);
    QCOMPARE(requests.last(),
             QString("GET /s?wd=%E7%A9%BF%E8%B6%8A%20A%26B%20%231%2B1%20100%25&cl=3"));
}

QTEST_MAIN(TstBrowser)
#include "tst_browser.moc"
