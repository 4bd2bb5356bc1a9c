#include "localwebserver.h"

#include "extras/browserfactory.h"

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

QString linkTo(const QString& path, const QString& target)
{
    return QString("<a id=\"%1\" href=\"/%1\" target=\"%2\" "
                   "style=\"display:block;width:200px;height:40px\">%1</a>")
        .arg(path, target);
}

} // namespace

class TstBrowser : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void pagesLoadAsAPhoneInOneWindow();
    void programDoesNotLinkTheWebEngine();

private:
    QTemporaryDir m_home;
    BrowserFactory* m_factory = nullptr;
};

void TstBrowser::initTestCase()
{
    // Keep whatever the web engine might store inside this test, and talk to the local
    // server directly even where the machine has a proxy configured.
    for (const char* var : {"XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME"})
        qputenv(var, QFile::encodeName(m_home.path() + "/" + var));
    for (const char* var : {"http_proxy", "HTTP_PROXY", "https_proxy", "all_proxy"})
        qunsetenv(var);
    QPluginLoader loader(QStringLiteral(LORVANE_BROWSER_PLUGIN_PATH));
    m_factory = qobject_cast<BrowserFactory*>(loader.instance());
    QVERIFY2(m_factory, qPrintable(loader.errorString()));
}

void TstBrowser::pagesLoadAsAPhoneInOneWindow()
{
    LocalWebServer server;
    QVERIFY(server.listen());
    server.setPage("/", page("首页", linkTo("next", "_self") + "<img src=\"/slow.png\">"));
    server.setPage("/slow.png", "", "image/png");
    server.setPage("/next", page("第二页", linkTo("third", "_blank")));
    server.setPage("/third", page("第三页", "完"));
    server.setPage("/s", page("结果", "结果"));
    server.hold("/slow.png");

    std::unique_ptr<QWidget> window(m_factory->createBrowser(server.url("/")));
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
    QAction* home = window->findChild<QToolBar*>()->actions().at(4);
    QCOMPARE(home->text(), QString("主页"));
    m_factory->setMainPageVisible(window.get(), false);
    QVERIFY(!home->isVisible());
    m_factory->openAddress(window.get(), server.url("/s").toString() + "?wd=A%26B%20%23C&cl=3");
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QString("结果"), 10000);
    QCOMPARE(server.requests.last().path, QString("/s"));
    QCOMPARE(server.requests.last().query, QString("wd=A%26B%20%23C&cl=3"));

    QStringList paths;
    for (const LocalWebServer::Request& r : server.requests) {
        paths << r.path;
        QCOMPARE(r.userAgent, QByteArray("Mozilla/5.0 (iPhone; U; CPU iPhone OS 4_0 like Mac OS X; "
                                         "en-us) AppleWebKit/532.9 (KHTML, like Gecko) "
                                         "Version/4.0.5 Mobile/8A293 Safari/6531.22.7"));
    }
    for (const char* path : {"/", "/slow.png", "/next", "/third"})
        QVERIFY2(paths.contains(path), qPrintable(paths.join(' ')));
}

void TstBrowser::programDoesNotLinkTheWebEngine()
{
    // The web engine is the plugin's alone; the program must start without it.
    QProcess ldd;
    ldd.start("ldd", {qEnvironmentVariable("LORVANE_EXECUTABLE")});
    QVERIFY(ldd.waitForFinished(30000));
    const QString libraries = QString::fromLocal8Bit(ldd.readAllStandardOutput());
    QVERIFY2(libraries.contains("libQt5Widgets"), qPrintable(libraries));
    QVERIFY2(!libraries.contains("WebKit"), qPrintable(libraries));
}

QTEST_MAIN(TstBrowser)
#include "tst_browser.moc"
