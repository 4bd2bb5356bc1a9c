#pragma once

#include <QMainWindow>
#include <QUrl>

class QAction;
class QLineEdit;
class QWebView;

// The phone-sized browser window: one page view, the page's navigation actions, a home-page
// entry and the address of the page shown. Every link opens in this same window.
class BrowserMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit BrowserMainWindow(const QUrl& url);

    void setMainPageVisible(bool visible);
    // `address` is read as a URL in tolerant mode.
    void openAddress(const QString& address);

protected slots:
    void adjustLocation();
    void changeLocation();
    void adjustTitle();
    void setProgress(int p);
    void finishLoading(bool ok);
    void loadUrl(const QUrl& url);
    void on_mainPageAction_triggered(bool checked);

private:
    QWebView* view = nullptr;
    QLineEdit* locationEdit = nullptr;
    QAction* mainPageAction = nullptr;
    int progress = 0;
};
