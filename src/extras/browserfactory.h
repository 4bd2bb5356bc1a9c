#pragma once

#include <QString>
#include <QUrl>
#include <QtPlugin>

class QWidget;

// What the main window needs from the built-in browser. The browser lives in a plugin so
// that the web engine is loaded when the author first opens it, not at every start.
class BrowserFactory
{
public:
    virtual ~BrowserFactory() = default;

    // A new top-level browser window without parent, loading `url` unless it is empty.
    virtual QWidget* createBrowser(const QUrl& url) = 0;
    // Shows or hides the home-page entry of a window made by createBrowser.
    virtual void setMainPageVisible(QWidget* browser, bool visible) = 0;
    // Loads `address`, read as a URL in tolerant mode, into a window made by createBrowser.
    virtual void openAddress(QWidget* browser, const QString& address) = 0;
};

#define BrowserFactory_iid "org.lorvane.BrowserFactory/1.0"
Q_DECLARE_INTERFACE(BrowserFactory, BrowserFactory_iid)
