#pragma once

#include "extras/browserfactory.h"

#include <QObject>

// The plugin's entry point: makes BrowserMainWindow windows for the main window.
class WebKitBrowserFactory : public QObject, public BrowserFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID BrowserFactory_iid)
    Q_INTERFACES(BrowserFactory)

public:
    QWidget* createBrowser(const QUrl& url) override;
    void setMainPageVisible(QWidget* browser, bool visible) override;
    void openAddress(QWidget* browser, const QString& address) override;
};
