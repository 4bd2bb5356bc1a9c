#pragma once

#include <QWebPage>

// A page that presents itself as a phone, so sites serve the mobile pages that suit the
// narrow browser window.
class myWebPage : public QWebPage
{
    Q_OBJECT

public:
    using QWebPage::QWebPage;

    static const char* const UserAgent;

protected:
    QString userAgentForUrl(const QUrl& url) const override;
};
