#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "settings/config.h"
#include "stats/chaptercounts.h"
#include "stats/dailygoal.h"
#include "stats/paragraphcounter.h"
#include "stats/statscharts.h"
#include "stats/statswindow.h"
#include "stats/writinglog.h"
#include "stats/writingstore.h"

#include <QtSql>
#include <QtTest>
#include <QtWidgets>

class TstStats : public QObject
{
    Q_OBJECT
private slots:
    void counterMeasuresWriting_data();
    void counterMeasuresWriting();
    void logSplitsAtMidnightAndCountsMinutesOnce();
    void windowShowsAKnownLog();
    void typingCountsTowardsTheGoalAndIsSaved();
    void libraryCountsAreCachedBySizeAndTime();
};

// One edit: select [from, to) and insert `text`; a negative `from` is one undo, -2 setPlainText,
// -3 an undoable insert at the start made as the program's own edit.
struct Edit {
    int from, to;
    QString text;
};
Q_DECLARE_METATYPE(QVector<Edit>)

void TstStats::counterMeasuresWriting_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QVector<Edit>>("edits");
    QTest::addColumn<QVector<int>>("addedRemovedTotal");
    const auto row = [](const char* name, const QString& start, const QVector<Edit>& edits,
                        const QVector<int>& expected) {
        QTest::newRow(name) << start << edits << expected;
    };
    // Spaces and line feeds count neither way.
    row("typing", "第一章\n", {{4, 4, "他"}, {5, 5, "来 了"}}, {3, 0, 6});
    row("paste of paragraphs", "甲\n乙", {{1, 1, "一\n二\n\n三"}}, {3, 0, 5});
    row("no-break spaces and line separators", "甲", {{1, 1, "\u00a0乙\u2028丙"}}, {2, 0, 3});
    row("deleting across paragraphs", "甲乙\n丙丁\n戊", {{1, 7, ""}}, {0, 4, 1});
    row("replacing a selection", "旧的文字", {{0, 2, "新"}}, {1, 2, 3});
    row("undo removes what was typed", "开头", {{2, 2, "续写"}, {-1, 0, ""}}, {2, 2, 2});
    row("the program's whole-text set is no writing", "原文", {{-2, 0, "排版后的全文"}}, {0, 0, 6});
    row("the program's undoable edit is no writing", "原文", {{-3, 0, "替换"}}, {0, 0, 4});
}

void TstStats::counterMeasuresWriting()
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
        } else if (e.from == -3) {
            counter.programEdit([&] { QTextCursor(&doc).insertText(e.text); });
        } else {
            QTextCursor c(&doc);
            c.setPosition(e.from);
            c.setPosition(e.to, QTextCursor::KeepAnchor);
            c.insertText(e.text);
        }
    }
    // A format change alters no text.
    QTextCursor all(&doc);
    all.select(QTextCursor::Document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    all.mergeCharFormat(bold);
    QTEST((QVector<int>{added, removed, counter.total()}), "addedRemovedTotal");
}

void TstStats::logSplitsAtMidnightAndCountsMinutesOnce()
{
    QDateTime now(QDate(2026, 3, 1), QTime(23, 58, 10));
    WritingLog log([&] { return now; });
    const auto at = [&](const QTime& t, int added, int removed, const QString& book) {
        now.setTime(t);
        log.record(book, added, removed);
    };
    at(QTime(23, 58, 10), 10, 0, "书甲");
    at(QTime(23, 58, 50), 5, 2, "书甲");
    at(QTime(23, 59, 30), 1, 0, "书甲");
    at(QTime(23, 59, 40), 3, 0, "书乙");
    now = QDateTime(QDate(2026, 3, 2), QTime(0, 0, 5));
    log.record("书甲", 7, 1);
    QStringList days; // day book added removed minutes
    for (const DayEntry& d : log.pending())
        days << QString::asprintf("%d %s %d %d %d", d.day.day(), qUtf8Printable(d.book), d.added,
                                  d.removed, d.minutes);
    days.sort();
    QCOMPARE(days, QStringList({"1 书乙 3 0 1", "1 书甲 16 2 2", "2 书甲 7 1 1"}));
    QCOMPARE(log.pendingNet(QDate(2026, 3, 1)), 17);
    // A renamed book takes its unsaved writing along, merged into the new name's day.
    log.renameBook("书乙", "书甲");
    QCOMPARE(log.pending().size(), 2);
    QCOMPARE(log.pendingNet(QDate(2026, 3, 1)), 17);
    // A minute already counted before a save is not counted again after it.
    log.clearPending();
    log.record("书甲", 1, 0);
    QCOMPARE(log.pending().value(0).minutes, 0);
}

void TstStats::windowShowsAKnownLog()
{
    QTemporaryDir dir;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "statswindow");
        db.setDatabaseName(dir.filePath("sys.db"));
        QVERIFY(db.open());
        WritingStore::ensureTable(db);
        const QDate today(2026, 3, 11);    // a Wednesday
        const QString other = "乙,\"二\""; // a name the CSV has to quote
        // Goal 100: met on the 2nd and 3rd, missed on the 4th, met from the 5th to the 10th;
        // today (open) does not break the run. The 8th is met only with both books together.
        QVector<DayEntry> log{
            {QDate(2026, 2, 27), "甲", 50, 0, 5},  {QDate(2026, 3, 2), "甲", 120, 0, 30},
            {QDate(2026, 3, 3), "甲", 100, 0, 20}, {QDate(2026, 3, 4), "甲", 300, 250, 10},
            {QDate(2026, 3, 8), other, 30, 0, 3},  {today, "甲", 30, 0, 6}};
        for (int d : {5, 6, 7, 8, 9, 10})
            log.append({QDate(2026, 3, d), "甲", 100, d == 8 ? 40 : 0, 60});
        QVERIFY(WritingStore::add(db, log));
        // A later save of the same day and book adds to its row.
        QVERIFY(WritingStore::add(db, {{QDate(2026, 3, 8), other, 10, 0, 2}}));
        QCOMPARE(WritingStore::toCsv(WritingStore::rows(db, other)),
                 QByteArray("\xEF\xBB\xBF") + QString("日期,书名,新增,删除,净增,时长(分钟)\r\n"
                                                      "2026-03-08,\"乙,\"\"二\"\"\",40,0,40,5\r\n")
                                                  .toUtf8());

        StatsWindow w(db);
        w.reload(today, 100);
        const StatsSummary& s = w.summary();
        const auto figures = [](const PeriodFigures& f) {
            return QVector<int>{f.added, f.removed, f.net(), f.minutes, f.perHour()};
        };
        QCOMPARE(figures(s.today), (QVector<int>{30, 0, 30, 6, 300}));
        QCOMPARE(figures(s.week), (QVector<int>{230, 0, 230, 126, 109}));
        QCOMPARE(figures(s.month), (QVector<int>{1190, 290, 900, 431, 125}));
        QCOMPARE(figures(s.all), (QVector<int>{1240, 290, 950, 436, 130}));
        QCOMPARE(w.findChild<QTableWidget*>()->item(3, 2)->text(), QString("950"));
        QCOMPARE(qMakePair(s.currentStreak, s.longestStreak), qMakePair(6, 6));

        // The chart's bars: 30 days ending today (the 4th's net among them); the calendar
        // covers a year from a Monday, squares shaded by the goal.
        const QVector<DayEntry>& bars = w.barChart()->days();
        const QVector<DayEntry>& cal = w.heatMap()->days();
        QCOMPARE((QVector<QDate>{bars.last().day, cal.last().day}), (QVector<QDate>{today, today}));
        QCOMPARE(qMakePair(bars.size(), bars[22].net()), qMakePair(30, 50));
        QVERIFY(cal.first().day.dayOfWeek() == 1 &&
                cal.first().day <= today.addYears(-1).addDays(1));
        QVector<int> shades;
        for (int net : {0, 30, 60, 150, 200})
            shades << CalendarHeatMap::shade(net, 100);
        QCOMPARE(shades, (QVector<int>{0, 1, 2, 3, 4}));

        // One book: the 8th misses without the other book's words; the export is its log.
        w.bookChoice()->setCurrentText("甲");
        QCOMPARE(qMakePair(w.summary().currentStreak, w.summary().longestStreak), qMakePair(2, 3));
        QVERIFY(w.exportCsv(dir.filePath("out.csv")));
        const QByteArray csv = readBytes(dir.filePath("out.csv"));
        QCOMPARE(csv, WritingStore::toCsv(WritingStore::rows(db, "甲")));
        QCOMPARE(csv.count('\n'), 12); // the header and the eleven days of 甲
    }
    QSqlDatabase::removeDatabase("statswindow");
}

void TstStats::typingCountsTowardsTheGoalAndIsSaved()
{
    // Below the goal in the theme's text colour, red from the goal on.
    QCOMPARE(GoalDisplay::compute(3999, 4000, "#233333").styleSheet, QString("color : #233333;"));
    QCOMPARE(GoalDisplay::compute(4000, 4000, "#233333").styleSheet, QString("color : red;"));

    TestAppDir app;
    seedLibrary(app, {"书", "书/卷", "书/卷/甲"}, "原有的正文");
    MainWindow w;
    std::unique_ptr<QSettings>(Config::open(app.file("config.ini")))
        ->setValue(Config::DailyGoal, 5);
    callSlot(&w, "save_success_update");
    clickItem(w, "书/卷/甲");
    QLabel* goal = nullptr;
    for (QLabel* l : w.statusBar()->findChildren<QLabel*>())
        if (l->text().startsWith("今日:"))
            goal = l;
    QVERIFY(goal);
    // Opening counts nothing.
    QCOMPARE(goal->text(), QString("今日:0/5"));
    QTextEdit* editor = editorOf(w);
    typeText(editor, "一二 三");
    QCOMPARE(goal->text(), QString("今日:3/5"));
    QVERIFY(!goal->styleSheet().contains("red"));
    editor->undo();
    typeText(editor, "四五六七八");
    QVERIFY(goal->styleSheet().contains("red"));
    const int written = editor->toPlainText().remove(' ').remove('\n').size() - 5;
    // One-key typesetting and replacing all are the program's changes, not writing.
    callSlot(&w, "on_one_key_clicked");
    editor->moveCursor(QTextCursor::Start);
    QVERIFY(editor->find("原有"));
    callSlot(&w, "str_replace_slot", QString("如今所有的"), true, false);
    QVERIFY(editor->toPlainText().contains("如今所有的"));
    const QString shown = goal->text();
    callSlot(&w, "timer_save_slot");
    QCOMPARE(goal->text(), shown);
    const QVector<DayEntry> rows = WritingStore::rows(QSqlDatabase::database());
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].book, QString("书"));
    QCOMPARE(QString("今日:%1/5").arg(rows[0].net()), shown);
    QCOMPARE(rows[0].net(), written);
    // A renamed book keeps its history, added to any days its new name already had.
    QSqlDatabase db = QSqlDatabase::database();
    WritingStore::add(db, {{rows[0].day, "新书", 2, 0, 1}});
    QTreeView* tree = w.findChild<QTreeView*>("treeView");
    emit tree->doubleClicked(indexOf(w, "书"));
    tree->model()->setData(indexOf(w, "书"), "新书");
    const QVector<DayEntry> renamed = WritingStore::rows(db);
    QCOMPARE(renamed.size(), 1);
    QCOMPARE(renamed[0].book, QString("新书"));
    QCOMPARE(renamed[0].net(), written + 2);
    QVERIFY(app.messages.isEmpty());
}

void TstStats::libraryCountsAreCachedBySizeAndTime()
{
    TestAppDir app;
    const QString lib = app.file("data/我的书籍");
    const QString a = lib + "/书/卷/甲.txt", b = lib + "/书/二卷/乙.txt";
    QVERIFY(writeBytes(a, "一二 三") && writeBytes(b, "四五") &&
            writeBytes(lib + "/书/index.txt", "简介"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "counts");
        db.setDatabaseName(app.file("cache.db"));
        QVERIFY(db.open());
        CountCache::ensureTable(db);
        // Which files a scan counts again: all at first, then only those whose size or time
        // changed; then how many files it counted and their sum.
        const auto scan = [&] {
            QVector<CachedCount> changed;
            const QMap<QString, int> counts = CountCache::scan(lib, CountCache::load(db), &changed);
            QStringList paths;
            for (const CachedCount& c : changed)
                paths << c.path;
            paths.sort();
            CountCache::store(db, changed);
            return paths
                   << QString("%1: %2").arg(counts.size()).arg(counts.value(a) + counts.value(b));
        };
        QCOMPARE(scan(), QStringList({b, a, "2: 5"}));
        QCOMPARE(scan(), QStringList({"2: 5"}));
        writeBytes(b, "四五六");
        QCOMPARE(scan(), QStringList({b, "2: 6"}));
        QFile f(a);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.setFileTime(f.fileTime(QFileDevice::FileModificationTime).addSecs(60),
                      QFileDevice::FileModificationTime);
        f.close();
        QCOMPARE(scan(), QStringList({a, "2: 6"}));
    }
    QSqlDatabase::removeDatabase("counts");

    // The tooltips' texts, the open chapter by its live count.
    QTreeView tree;
    QLabel label;
    ChapterCounts counts(
        &tree, &label, lib, [&] { return qMakePair(b, 10); }, nullptr);
    QSignalSpy ready(&counts, &ChapterCounts::ready);
    counts.start(app.file("cache.db"));
    QVERIFY(ready.wait(5000));
    QCOMPARE(counts.summaryOf(lib + "/书"), QString("共 2 章 · 13 字"));
    QCOMPARE(counts.summaryOf(lib + "/书/卷"), QString("共 1 章 · 3 字"));
    QCOMPARE(counts.summaryOf(b), QString("10 字"));
}

QTEST_MAIN(TstStats)
#include "tst_stats.moc"
