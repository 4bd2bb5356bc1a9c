#include "extras/webaddresses.h"

#include <QUrlQuery>

namespace WebAddresses {

QUrl homePage()
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QString::fromLatin1(HomeHost));
    url.setPath(QStringLiteral("/"));
    return url;
}

QUrl searchQuery(const QString& text)
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QString::fromLatin1(SearchHost));
    url.setPath(QStringLiteral("/s"));
    // QUrlQuery leaves '+' alone (servers read it as a blank) and takes "%xx" in a value as
    // already encoded; handing it the fully encoded value keeps the text exact.
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("wd"), QString::fromLatin1(QUrl::toPercentEncoding(text)));
    query.addQueryItem(QStringLiteral("cl"), QStringLiteral("3"));
    url.setQuery(query);
    return url;
}

} // namespace WebAddresses
