#include "stats/dailygoal.h"
#include "stats/paragraphcounter.h"
#include "stats/writinglog.h"
#include "stats/writingstore.h"

#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

class TstStatsRules : public QObject
{
    Q_OBJECT
private slots:
    void counterMeasuresWriting_data();
    void counterMeasuresWriting();
    void logSplitsAtMidnightAndCountsMinutesOnce();
    void storeAddsUpAndExports();
    void goalLabel();
};

// One edit: select [from, to) and insert `text`; a negative `from` is one undo, -2 setPlainText.
struct Edit {
    int from, to;
    QString text;
};
Q_DECLARE_METATYPE(QVector<Edit>)

void TstStatsRules::counterMeasuresWriting_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QVector<Edit>>("edits");
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("total");
    // Spaces and line feeds count neither way.
    QTest::newRow("typing") << "第一章\n"
                            << QVector<Edit>{{4, 4, "他"}, {5, 5, "来 了"}} << 3 << 0 << 6;
    QTest::newRow("paste of paragraphs")
        << "甲\n乙" << QVector<Edit>{{1, 1, "一\n二\n\n三"}} << 3 << 0 << 5;
    QTest::newRow("no-break spaces and line separators")
        << "甲" << QVector<Edit>{{1, 1, "\u00a0乙\u2028丙"}} << 2 << 0 << 3;
    QTest::newRow("deleting across paragraphs")
        << "甲乙\n丙丁\n戊" << QVector<Edit>{{1, 7, ""}} << 0 << 4 << 1;
    QTest::newRow("replacing a selection")
        << "旧的文字" << QVector<Edit>{{0, 2, "新"}} << 1 << 2 << 3;
    QTest::newRow("undo removes what was typed")
        << "开头" << QVector<Edit>{{2, 2, "续写"}, {-1, 0, ""}} << 2 << 2 << 2;
    QTest::newRow("the program's whole-text set is no writing")
        << "原文" << QVector<Edit>{{-2, 0, "排版后的全文"}} << 0 << 0 << 6;
}

void TstStatsRules::counterMeasuresWriting()
{
    QFETCH(QString, start);
    QFETCH(QVector<Edit>, edits);
    QTextDocument doc;
    doc.setPlainText(start);
    ParagraphCounter counter(&doc);
    int added = 0, removed = 0;
    connect(&counter, &ParagraphCounter::written, this, [&](int a, int r) {
        added += a;
        removed += r;
    });
    for (const Edit& e : edits) {
        if (e.from == -1) {
            doc.undo();
        } else if (e.from == -2) {
            doc.setPlainText(e.text);
        } else {
            QTextCursor c(&doc);
            c.setPosition(e.from);
            c.setPosition(e.to, QTextCursor::KeepAnchor);
            c.insertText(e.text);
        }
    }
    QTEST(added, "added");
    QTEST(removed, "removed");
    QTEST(counter.total(), "total");
    // A format change alters no text.
    QTextCursor all(&doc);
    all.select(QTextCursor::Document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    all.mergeCharFormat(bold);
    QTEST(added, "added");
    QTEST(counter.total(), "total");
}

void TstStatsRules::logSplitsAtMidnightAndCountsMinutesOnce()
{
    QDateTime now(QDate(2026, 3, 1), QTime(23, 58, 10));
    WritingLog log([&] { return now; });
    const auto at = [&](const QTime& t, int added, int removed, const QString& book = "书甲") {
        now.setTime(t);
        log.record(book, added, removed);
    };
    at(QTime(23, 58, 10), 10, 0);
    at(QTime(23, 58, 50), 5, 2);
    at(QTime(23, 59, 30), 1, 0);
    at(QTime(23, 59, 40), 3, 0, "书乙");
    now = QDateTime(QDate(2026, 3, 2), QTime(0, 0, 5));
    log.record("书甲", 7, 1);
    QVector<DayEntry> days = log.pending();
    std::sort(days.begin(), days.end(), [](const DayEntry& a, const DayEntry& b) {
        return qMakePair(a.day, a.book) < qMakePair(b.day, b.book);
    });
    QCOMPARE(days.size(), 3);
    const QVector<QVector<int>> expected{{1, 3, 0, 1}, {1, 16, 2, 2}, {2, 7, 1, 1}};
    for (int i = 0; i < 3; ++i)
        QCOMPARE((QVector<int>{days[i].day.day(), days[i].added, days[i].removed, days[i].minutes}),
                 expected[i]);
    QCOMPARE(log.pendingNet(QDate(2026, 3, 1)), 17);
    // A minute already counted before a save is not counted again after it.
    log.clearPending();
    log.record("书甲", 1, 0);
    QCOMPARE(log.pending().value(0).minutes, 0);
}

void TstStatsRules::storeAddsUpAndExports()
{
    QTemporaryDir dir;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "stats");
        db.setDatabaseName(dir.filePath("sys.db"));
        QVERIFY(db.open());
        WritingStore::ensureTable(db);
        const QDate d(2026, 3, 1);
        QVERIFY(WritingStore::add(db, {{d, "书甲", 100, 20, 3}, {d, "书,\"乙\"", 5, 0, 1}}));
        QVERIFY(WritingStore::add(db, {{d, "书甲", 10, 0, 1}, {d.addDays(1), "书甲", 1, 2, 1}}));
        QCOMPARE(WritingStore::dayNet(db, d), 95);
        QCOMPARE(WritingStore::rows(db, "书甲").size(), 2);
        QCOMPARE(WritingStore::books(db), QStringList({"书,\"乙\"", "书甲"}));
        QCOMPARE(WritingStore::toCsv(WritingStore::rows(db)),
                 QByteArray("\xEF\xBB\xBF") + QString("日期,书名,新增,删除,净增,时长(分钟)\r\n"
                                                      "2026-03-01,\"书,\"\"乙\"\"\",5,0,5,1\r\n"
                                                      "2026-03-01,书甲,110,20,90,4\r\n"
                                                      "2026-03-02,书甲,1,2,-1,1\r\n")
                                                  .toUtf8());
    }
    QSqlDatabase::removeDatabase("stats");
}

void TstStatsRules::goalLabel()
{
    const GoalDisplay below = GoalDisplay::compute(3999, 4000, "#233333");
    const GoalDisplay reached = GoalDisplay::compute(4000, 4000, "#233333");
    QCOMPARE(below.label, QString("今日:3999/4000"));
    QCOMPARE(below.styleSheet, QString("color : #233333;"));
    QCOMPARE(reached.styleSheet, QString("color : red;"));
}

QTEST_MAIN(TstStatsRules)
#include "tst_statsrules.moc"
