#include "extras/webaddresses.h"

#include <QUrlQuery>
#include <QtTest>

class TstWebAddresses : public QObject
{
    Q_OBJECT
private slots:
    void searchQueryCarriesTheTextExactly_data();
    void searchQueryCarriesTheTextExactly();
};

void TstWebAddresses::searchQueryCarriesTheTextExactly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encodedQuery");
    QTest::newRow("nominal: 穿越") << "穿越" << "wd=%E7%A9%BF%E8%B6%8A&cl=3";
    QTest::newRow("ampersand and hash stay in the value")
        << "A&B #C" << "wd=A%26B%20%23C&cl=3";
    QTest::newRow("plus is not a blank") << "C++ 入门" << "wd=C%2B%2B%20%E5%85%A5%E9%97%A8&cl=3";
    QTest::newRow("cannot set another key") << "x&cl=9&wd=y" << "wd=x%26cl%3D9%26wd%3Dy&cl=3";
    QTest::newRow("percent signs are text, not escapes") << "50%25 off" << "wd=50%2525%20off&cl=3";
}

void TstWebAddresses::searchQueryCarriesTheTextExactly()
{
    QFETCH(QString, text);
    QFETCH(QString, encodedQuery);
    const QUrl url = WebAddresses::searchQuery(text);
    QCOMPARE(url.scheme(), QString("http"));
    QCOMPARE(url.host(), QString(WebAddresses::SearchHost));
    QCOMPARE(url.path(), QString("/s"));
    QVERIFY(!url.hasFragment());
    QCOMPARE(url.query(QUrl::FullyEncoded), encodedQuery);

    // What a server reads back from the address the browser is given.
    const QUrl sent(url.toString(QUrl::FullyEncoded), QUrl::TolerantMode);
    const QUrlQuery query(sent);
    QCOMPARE(query.queryItems().size(), 2);
    QCOMPARE(query.queryItemValue("wd", QUrl::FullyDecoded), text);
    QCOMPARE(query.queryItemValue("cl"), QString("3"));
}

QTEST_GUILESS_MAIN(TstWebAddresses)
#include "tst_webaddresses.moc"
