// The progress rule of a character lock, tick by tick: the counts the editor shows at each
// second, and what is left of the goal after it.
#include "lock/wordlockprogress.h"

#include <QtTest>

using Counts = QList<int>;

class TstWordLockProgress : public QObject
{
    Q_OBJECT
private slots:
    void ticks_data();
    void ticks();
};

void TstWordLockProgress::ticks_data()
{
    QTest::addColumn<int>("goal");
    QTest::addColumn<int>("startCount");
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<Counts>("remaining");
    QTest::addColumn<int>("endTick"); // first tick that meets the goal, 0 for none

    QTest::newRow("10 a tick end a goal of 100 at the tenth")
        << 100 << 0 << Counts{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}
        << Counts{90, 80, 70, 60, 50, 40, 30, 20, 10, 0} << 10;
    QTest::newRow("counted from the text already there") << 5 << 300 << Counts{302, 305}
                                                         << Counts{3, 0} << 2;
    QTest::newRow("19 in one tick count") << 100 << 0 << Counts{19} << Counts{81} << 0;
    QTest::newRow("20 in one tick count nothing and move the base")
        << 100 << 0 << Counts{20, 25} << Counts{100, 95} << 0;
    QTest::newRow("a paste of 500, then typing") << 100 << 40 << Counts{540, 550}
                                                 << Counts{100, 90} << 0;
    QTest::newRow("30 deleted are written again before progress")
        << 100 << 200 << Counts{170, 185, 200, 210} << Counts{100, 100, 100, 90} << 0;
    QTest::newRow("goal 0 ends at the first tick") << 0 << 12 << Counts{12} << Counts{0} << 1;
    QTest::newRow("the last tick may pass the goal") << 5 << 0 << Counts{3, 12} << Counts{2, -7}
                                                     << 2;
}

void TstWordLockProgress::ticks()
{
    QFETCH(int, goal);
    QFETCH(int, startCount);
    QFETCH(Counts, counts);
    QFETCH(Counts, remaining);
    QFETCH(int, endTick);
    int left = goal, base = startCount, ended = 0;
    for (int i = 0; i < counts.size(); ++i) {
        if (WordLockProgress::tick(counts[i], left, base) && !ended)
            ended = i + 1;
        QCOMPARE(left, remaining[i]);
    }
    QCOMPARE(ended, endTick);
}

QTEST_APPLESS_MAIN(TstWordLockProgress)
#include "tst_wordlockprogress.moc"
