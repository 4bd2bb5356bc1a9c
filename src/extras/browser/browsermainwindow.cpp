#include "extras/browser/browsermainwindow.h"

#include "extras/browser/mywebpage.h"
#include "extras/webaddresses.h"

#include <QAction>
#include <QLineEdit>
#include <QNetworkProxyFactory>
#include <QToolBar>
#include <QWebView>

BrowserMainWindow::BrowserMainWindow(const QUrl& url) : QMainWindow(nullptr)
{
    progress = 0;
    QNetworkProxyFactory::setUseSystemConfiguration(true);

    view = new QWebView(this);
    view->setPage(new myWebPage(view));
    view->page()->setLinkDelegationPolicy(QWebPage::DelegateAllLinks);
    if (!url.isEmpty())
        view->load(url);
    connect(view, &QWebView::loadFinished, this, &BrowserMainWindow::adjustLocation);
    connect(view, &QWebView::titleChanged, this, &BrowserMainWindow::adjustTitle);
    connect(view, &QWebView::loadProgress, this, &BrowserMainWindow::setProgress);
    connect(view, &QWebView::loadFinished, this, &BrowserMainWindow::finishLoading);
    connect(view, &QWebView::linkClicked, this, &BrowserMainWindow::loadUrl);

    locationEdit = new QLineEdit(this);
    locationEdit->setSizePolicy(QSizePolicy::Expanding,
                                locationEdit->sizePolicy().verticalPolicy());
    connect(locationEdit, &QLineEdit::returnPressed, this, &BrowserMainWindow::changeLocation);

    mainPageAction = new QAction(QIcon(QStringLiteral(":/icon/homepage")), tr("主页"), this);
    connect(mainPageAction, &QAction::triggered, this,
            &BrowserMainWindow::on_mainPageAction_triggered);

    QToolBar* toolBar = addToolBar(QString());
    toolBar->addAction(view->pageAction(QWebPage::Back));
    toolBar->addAction(view->pageAction(QWebPage::Forward));
    toolBar->addAction(view->pageAction(QWebPage::Reload));
    toolBar->addAction(view->pageAction(QWebPage::Stop));
    toolBar->addAction(mainPageAction);
    toolBar->addWidget(locationEdit);
    toolBar->setMovable(false);

    setCentralWidget(view);
    setUnifiedTitleAndToolBarOnMac(true);
    locationEdit->setEnabled(false);
    setMinimumSize(300, 500);
    resize(300, 500);
}

void BrowserMainWindow::setMainPageVisible(bool visible) { mainPageAction->setVisible(visible); }

void BrowserMainWindow::openAddress(const QString& address)
{
    view->load(QUrl(address, QUrl::TolerantMode));
}

void BrowserMainWindow::adjustLocation() { locationEdit->setText(view->url().toString()); }

void BrowserMainWindow::changeLocation()
{
    view->load(QUrl::fromUserInput(locationEdit->text()));
    view->setFocus();
}

void BrowserMainWindow::adjustTitle()
{
    if (progress <= 0 || progress >= 100)
        setWindowTitle(view->title());
    else
        setWindowTitle(QStringLiteral("%1 (%2%)").arg(view->title()).arg(progress));
}

void BrowserMainWindow::setProgress(int p)
{
    progress = p;
    adjustTitle();
}

void BrowserMainWindow::finishLoading(bool ok)
{
    Q_UNUSED(ok);
    progress = 100;
    adjustTitle();
}

void BrowserMainWindow::loadUrl(const QUrl& url) { view->load(url); }

void BrowserMainWindow::on_mainPageAction_triggered(bool checked)
{
    Q_UNUSED(checked);
    view->load(WebAddresses::homePage());
}
