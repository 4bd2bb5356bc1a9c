#include "app/catalogwidth.h"

#include <QtTest>

using Rows = QVector<QPair<int, int>>; // (depth, text width)

class TstCatalogWidth : public QObject
{
    Q_OBJECT
private slots:
    void startWidth_data();
    void startWidth();
};

void TstCatalogWidth::startWidth_data()
{
    QTest::addColumn<bool>("rootDecorated");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("needed");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("wantsMore"); // what the last row answered

    // Indentation 20, item padding 10, 30 around the tree.
    QTest::newRow("nominal: an empty library starts at the minimum")
        << true << Rows{} << 30 << 180 << true;
    QTest::newRow("nominal: ten-character chapter names")
        << true << Rows{{0, 90}, {1, 100}, {2, 160}} << 260 << 260 << true;
    QTest::newRow("nominal: a deeper row outweighs a longer name")
        << true << Rows{{0, 200}, {2, 170}} << 270 << 270 << true;
    QTest::newRow("nominal: without root decoration books sit at the edge")
        << false << Rows{{0, 250}, {2, 160}} << 290 << 290 << true;
    QTest::newRow("boundary: a name that needs the maximum ends the measuring")
        << true << Rows{{2, 220}} << 320 << 320 << false;
    QTest::newRow("robustness: very long names stop at the maximum")
        << true << Rows{{0, 90}, {2, 400}} << 500 << 320 << false;
}

void TstCatalogWidth::startWidth()
{
    QFETCH(bool, rootDecorated);
    QFETCH(Rows, rows);
    CatalogWidth::Metrics m;
    m.indentation = 20;
    m.rootDecorated = rootDecorated;
    m.itemPadding = 10;
    m.columnExtra = 30;
    CatalogWidth width(m);
    bool more = true;
    for (const auto& [depth, text] : rows)
        more = width.addRow(depth, text);
    QTEST(width.neededWidth(), "needed");
    QTEST(width.startWidth(), "start");
    QTEST(more, "wantsMore");
}

QTEST_APPLESS_MAIN(TstCatalogWidth)
#include "tst_catalogwidth.moc"
