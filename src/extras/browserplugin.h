#pragma once

class BrowserFactory;
class QUrl;
class QWidget;

// Reaches the browser plugin, which sits in the "plugins" folder beside the executable or
// in the installed library directory (AppDirs::pluginDir).
namespace BrowserPlugin {

// Loads the plugin on the first call; null (with a log line) when it cannot be loaded.
BrowserFactory* factory();

// Tests put a recording factory in place; null returns to the plugin.
void setFactory(BrowserFactory* factory);

// A browser window on `url` that belongs to `owner` as a window of dialog type, so it stays
// above the owner and dies with it; null when the plugin is missing.
QWidget* createWindow(const QUrl& url, QWidget* owner);

} // namespace BrowserPlugin
