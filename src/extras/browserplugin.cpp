#include "extras/browserplugin.h"

#include "app/appdirs.h"
#include "app/logcategories.h"
#include "extras/browserfactory.h"

#include <QPluginLoader>
#include <QWidget>

namespace {

BrowserFactory* g_override = nullptr;

BrowserFactory* loadPlugin()
{
    // Never unloaded: the windows it makes are destroyed only with the main window.
    QPluginLoader loader(AppDirs::pluginDir() + QStringLiteral("/" LORVANE_BROWSER_PLUGIN));
    auto* factory = qobject_cast<BrowserFactory*>(loader.instance());
    if (!factory)
        qCWarning(lcPlatform, "browser plugin not loaded: %s", qPrintable(loader.errorString()));
    return factory;
}

} // namespace

namespace BrowserPlugin {

BrowserFactory* factory()
{
    if (g_override)
        return g_override;
    static BrowserFactory* plugin = loadPlugin();
    return plugin;
}

void setFactory(BrowserFactory* factory) { g_override = factory; }

QWidget* createWindow(const QUrl& url, QWidget* owner)
{
    BrowserFactory* browsers = factory();
    if (!browsers)
        return nullptr;
    QWidget* window = browsers->createBrowser(url);
    window->setParent(owner, Qt::Dialog);
    return window;
}

} // namespace BrowserPlugin
