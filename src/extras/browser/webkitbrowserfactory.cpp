#include "extras/browser/webkitbrowserfactory.h"

#include "extras/browser/browsermainwindow.h"

QWidget* WebKitBrowserFactory::createBrowser(const QUrl& url) { return new BrowserMainWindow(url); }

void WebKitBrowserFactory::setMainPageVisible(QWidget* browser, bool visible)
{
    if (auto* window = qobject_cast<BrowserMainWindow*>(browser))
        window->setMainPageVisible(visible);
}

void WebKitBrowserFactory::openAddress(QWidget* browser, const QString& address)
{
    if (auto* window = qobject_cast<BrowserMainWindow*>(browser))
        window->openAddress(address);
}
