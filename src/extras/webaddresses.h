#pragma once

#include <QString>
#include <QUrl>

// The two places on the web the program knows: the vendor's home page, where the built-in
// browser starts, and the search engine behind "在百度中搜索". Both hosts are named here
// and nowhere else.
namespace WebAddresses {

inline constexpr char HomeHost[] = "www.lorvane.com";
inline constexpr char SearchHost[] = "www.baidu.com";

// http://<HomeHost>/
QUrl homePage();

// http://<SearchHost>/s?wd=<text>&cl=3, with `text` percent-encoded as the value of wd so
// that characters such as &, #, + or % are searched for instead of changing the query.
QUrl searchQuery(const QString& text);

} // namespace WebAddresses
