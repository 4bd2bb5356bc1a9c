#include "extras/browser/mywebpage.h"

const char* const myWebPage::UserAgent =
    "Mozilla/5.0 (iPhone; U; CPU iPhone OS 4_0 like Mac OS X; en-us) AppleWebKit/532.9 (KHTML, "
    "like Gecko) Version/4.0.5 Mobile/8A293 Safari/6531.22.7";

QString myWebPage::userAgentForUrl(const QUrl& url) const
{
    Q_UNUSED(url);
    return QString::fromLatin1(UserAgent);
}
