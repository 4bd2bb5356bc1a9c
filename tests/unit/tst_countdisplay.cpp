#include "editor/countdisplay.h"

#include <QtTest>

class TstCountDisplay : public QObject
{
    Q_OBJECT
private slots:
    void display_data();
    void display();
};

void TstCountDisplay::display_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("style");

    const QString colour = "color : #123456;";
    const QString red = "color : red;";
    QTest::newRow("nominal: one short of the target")
        << 2999 << "50" << "3000" << "总字数:2999\t稿费:149.95" << colour;
    QTest::newRow("nominal: target reached") << 3000 << "50" << "3000" << "总字数:3000\t稿费:150.00" << red;
    QTest::newRow("nominal: rate 12.5") << 1500 << "12.5" << "3000" << "总字数:1500\t稿费:18.75" << colour;
    QTest::newRow("nominal: rate 0") << 1500 << "0" << "3000" << "总字数:1500\t稿费:0.00" << colour;
    QTest::newRow("nominal: a million characters in exponent form")
        << 1234567 << "50" << "3000" << "总字数:1.23457e+06\t稿费:61728.35" << red;
    QTest::newRow("robustness: non-numeric rate counts as 0")
        << 10 << "五十" << "3000" << "总字数:10\t稿费:0.00" << colour;
    QTest::newRow("robustness: target 0 makes even an empty text red")
        << 0 << "50" << "0" << "总字数:0\t稿费:0.00" << red;
    QTest::newRow("robustness: non-numeric target counts as 0")
        << 5 << "50" << "" << "总字数:5\t稿费:0.25" << red;
}

void TstCountDisplay::display()
{
    QFETCH(int, count);
    QFETCH(QString, price);
    QFETCH(QString, target);
    QFETCH(QString, label);
    QFETCH(QString, style);
    bool played = false;
    const CountDisplay d = CountDisplay::compute(count, price, target, "#123456", played);
    QCOMPARE(d.label, label);
    QCOMPARE(d.styleSheet, style);
}

QTEST_GUILESS_MAIN(TstCountDisplay)
#include "tst_countdisplay.moc"
