#include "localwebserver.h"

#include "extras/browserfactory.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QPluginLoader>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWebElement>
#include <QWebFrame>
#include <QWebView>
#include <QtTest>

#include <memory>

namespace {

const QByteArray iPhone =
    "Mozilla/5.0 (iPhone; U; CPU iPhone OS 4_0 like Mac OS X; en-us) AppleWebKit/532.9 (KHTML, "
    "like Gecko) Version/4.0.5 Mobile/8A293 Safari/6531.22.7";

QByteArray png()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray page(const QString& title, const QString& body)
{
    return QString("<html><head><meta charset=\"utf-8\"><title>%1</title></head><body "
                   "style=\"margin:0\">%2</body></html>")
        .arg(title, body)
        .toUtf8();
}

QString linkTo(const QString& id, const QString& href, const QString& target = QString())
{
    return QString("<a id=\"%1\" href=\"%2\" %3 style=\"display:block;width:200px;height:40px\">"
                   "%1</a>")
        .arg(id, href, target.isEmpty() ? QString() : "target=\"" + target + "\"");
}

int browserWindowCount()
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += w->inherits("BrowserMainWindow") ? 1 : 0;
    return n;
}

} // namespace

class TstBrowser : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void windowHasItsToolBarAndPhoneSize();
    void titleShowsProgressWhileLoading();
    void serverSeesThePhoneAndLinksStayInTheWindow();
    void openAddressAndHiddenHomeEntry();
    void programDoesNotLinkTheWebEngine();

private:
    QWidget* newBrowser(const QUrl& url);

    QTemporaryDir m_home;
    BrowserFactory* m_factory = nullptr;
    std::unique_ptr<QWidget> m_window;
};

void TstBrowser::initTestCase()
{
    // Keep whatever the web engine might store inside this test, and talk to the local
    // server directly even where the machine has a proxy configured.
    QVERIFY(m_home.isValid());
    for (const char* var : {"XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME"})
        qputenv(var, QFile::encodeName(m_home.path() + "/" + var));
    for (const char* var : {"http_proxy", "HTTP_PROXY", "https_proxy", "all_proxy"})
        qunsetenv(var);

    QPluginLoader loader(QStringLiteral(LORVANE_BROWSER_PLUGIN_PATH));
    m_factory = qobject_cast<BrowserFactory*>(loader.instance());
    QVERIFY2(m_factory, qPrintable(loader.errorString()));
}

QWidget* TstBrowser::newBrowser(const QUrl& url)
{
    m_window.reset(m_factory->createBrowser(url));
    m_window->show();
    return m_window.get();
}

void TstBrowser::windowHasItsToolBarAndPhoneSize()
{
    QWidget* window = newBrowser(QUrl());
    QVERIFY(window->inherits("BrowserMainWindow"));
    QCOMPARE(window->parentWidget(), nullptr);
    QCOMPARE(window->size(), QSize(300, 500));
    QCOMPARE(window->minimumSize(), QSize(300, 500));
    auto* view = window->findChild<QWebView*>();
    QCOMPARE(static_cast<QMainWindow*>(window)->centralWidget(), view);
    QCOMPARE(view->page()->metaObject()->className(), "myWebPage");
    QCOMPARE(view->page()->linkDelegationPolicy(), QWebPage::DelegateAllLinks);

    auto* bar = window->findChild<QToolBar*>();
    QVERIFY(!bar->isMovable());
    const QList<QAction*> actions = bar->actions();
    QCOMPARE(actions.size(), 6);
    QCOMPARE(actions.at(0), view->pageAction(QWebPage::Back));
    QCOMPARE(actions.at(1), view->pageAction(QWebPage::Forward));
    QCOMPARE(actions.at(2), view->pageAction(QWebPage::Reload));
    QCOMPARE(actions.at(3), view->pageAction(QWebPage::Stop));
    QCOMPARE(actions.at(4)->text(), QString("主页"));
    QVERIFY(!actions.at(4)->icon().isNull());
    QVERIFY(actions.at(4)->isVisible());
    auto* location = window->findChild<QLineEdit*>();
    QCOMPARE(bar->widgetForAction(actions.at(5)), location);
    QVERIFY(!location->isEnabled());
    QCOMPARE(location->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
}

void TstBrowser::titleShowsProgressWhileLoading()
{
    LocalWebServer server;
    QVERIFY(server.listen());
    server.setPage("/", "text/html; charset=utf-8", page("首页", "<img src=\"/slow.png\">"));
    server.setPage("/slow.png", "image/png", png());
    server.hold("/slow.png");

    QWidget* window = newBrowser(server.url("/"));
    QTRY_VERIFY_WITH_TIMEOUT(server.received("/slow.png"), 10000);
    // The title has arrived, the picture has not: the title carries the percentage.
    QRegularExpression loading("^首页 \\((\\d+)%\\)$");
    QTRY_VERIFY_WITH_TIMEOUT(loading.match(window->windowTitle()).hasMatch(), 10000);
    const int percent = loading.match(window->windowTitle()).captured(1).toInt();
    QVERIFY2(percent >= 1 && percent <= 99, qPrintable(window->windowTitle()));

    server.release("/slow.png");
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QString("首页"), 10000);
    QCOMPARE(window->findChild<QLineEdit*>()->text(), server.url("/").toString());

    QVERIFY(QMetaObject::invokeMethod(window, "setProgress", Q_ARG(int, 42)));
    QCOMPARE(window->windowTitle(), QString("首页 (42%)"));
    QVERIFY(QMetaObject::invokeMethod(window, "setProgress", Q_ARG(int, 0)));
    QCOMPARE(window->windowTitle(), QString("首页"));
    QVERIFY(QMetaObject::invokeMethod(window, "setProgress", Q_ARG(int, 99)));
    QVERIFY(QMetaObject::invokeMethod(window, "finishLoading", Q_ARG(bool, false)));
    QCOMPARE(window->windowTitle(), QString("首页"));
}

void TstBrowser::serverSeesThePhoneAndLinksStayInTheWindow()
{
    LocalWebServer server;
    QVERIFY(server.listen());
    server.setPage("/", "text/html; charset=utf-8",
                   page("首页", linkTo("next", "/next") + "<img src=\"/a.png\">"));
    server.setPage("/a.png", "image/png", png());
    server.setPage("/next", "text/html; charset=utf-8",
                   page("第二页", linkTo("third", "/third", "_blank")));
    server.setPage("/third", "text/html; charset=utf-8", page("第三页", "完"));

    QWidget* window = newBrowser(server.url("/"));
    auto* view = window->findChild<QWebView*>();
    QSignalSpy clicks(view, &QWebView::linkClicked);
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QString("首页"), 10000);

    auto clickLink = [&](const QString& id) {
        const QRect box = view->page()->mainFrame()->findFirstElement("#" + id).geometry();
        QVERIFY(!box.isEmpty());
        QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, box.center());
    };
    clickLink("next");
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QString("第二页"), 10000);
    QCOMPARE(view->url(), server.url("/next"));
    QCOMPARE(window->findChild<QLineEdit*>()->text(), server.url("/next").toString());

    // A link that asks for a new window opens here as well.
    clickLink("third");
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QString("第三页"), 10000);
    QCOMPARE(view->url(), server.url("/third"));
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(browserWindowCount(), 1);

    QStringList paths;
    for (const LocalWebServer::Request& r : server.requests) {
        paths << r.path;
        QCOMPARE(r.userAgent, iPhone);
    }
    for (const char* path : {"/", "/a.png", "/next", "/third"})
        QVERIFY2(paths.contains(path), qPrintable(paths.join(' ')));
}

void TstBrowser::openAddressAndHiddenHomeEntry()
{
    LocalWebServer server;
    QVERIFY(server.listen());
    server.setPage("/s", "text/html; charset=utf-8", page("结果", "结果"));

    QWidget* window = newBrowser(QUrl());
    m_factory->setMainPageVisible(window, false);
    QAction* home = window->findChild<QToolBar*>()->actions().at(4);
    QVERIFY(!home->isVisible());
    m_factory->openAddress(window, server.url("/s").toString() + "?wd=A%26B%20%23C&cl=3");
    QTRY_COMPARE_WITH_TIMEOUT(window->windowTitle(), QString("结果"), 10000);
    QCOMPARE(server.requests.size(), 1);
    QCOMPARE(server.requests.at(0).query, QString("wd=A%26B%20%23C&cl=3"));
    QCOMPARE(server.requests.at(0).userAgent, iPhone);
    m_factory->setMainPageVisible(window, true);
    QVERIFY(home->isVisible());
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
