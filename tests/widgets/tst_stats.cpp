#include "support/librarysupport.h"
#include "support/testsupport.h"

#include "app/mainwindow.h"
#include "settings/config.h"
#include "stats/chaptercounts.h"
#include "stats/statscharts.h"
#include "stats/statswindow.h"
#include "stats/writingstore.h"

#include <QComboBox>
#include <QLabel>
#include <QSettings>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeView>
#include <QtTest>

class TstStats : public QObject
{
    Q_OBJECT
private slots:
    void windowShowsAKnownLog();
    void typingCountsTowardsTheGoalAndIsSaved();
    void libraryCountsAreCachedBySizeAndTime();
};

void TstStats::windowShowsAKnownLog()
{
    QTemporaryDir dir;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "statswindow");
        db.setDatabaseName(dir.filePath("sys.db"));
        QVERIFY(db.open());
        WritingStore::ensureTable(db);
        const QDate today(2026, 3, 11); // a Wednesday
        // Goal 100: met on the 2nd and 3rd, missed on the 4th, met from the 5th to the 10th;
        // today (open) does not break the run. The 8th is met only with both books together.
        QVector<DayEntry> log{
            {QDate(2026, 2, 27), "甲", 50, 0, 5},  {QDate(2026, 3, 2), "甲", 120, 0, 30},
            {QDate(2026, 3, 3), "甲", 100, 0, 20}, {QDate(2026, 3, 4), "甲", 300, 250, 10},
            {QDate(2026, 3, 8), "乙", 40, 0, 5},   {today, "甲", 30, 0, 6}};
        for (int d : {5, 6, 7, 8, 9, 10})
            log.append({QDate(2026, 3, d), "甲", 100, d == 8 ? 40 : 0, 60});
        QVERIFY(WritingStore::add(db, log));

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

        // The chart's bars: 30 days ending today, the goal as its line.
        const QVector<DayEntry>& bars = w.barChart()->days();
        QCOMPARE(bars.size(), 30);
        QCOMPARE(bars.last().day, today);
        QCOMPARE(bars[bars.size() - 1 - 7].net(), 50); // the 4th
        QCOMPARE(w.barChart()->goal(), 100);
        // The calendar starts on a Monday and covers a year; squares shade by the goal.
        const QVector<DayEntry>& cal = w.heatMap()->days();
        QCOMPARE(cal.first().day.dayOfWeek(), 1);
        QVERIFY(cal.first().day <= today.addYears(-1).addDays(1));
        QCOMPARE(cal.last().day, today);
        QCOMPARE((QVector<int>{CalendarHeatMap::shade(0, 100), CalendarHeatMap::shade(30, 100),
                               CalendarHeatMap::shade(60, 100), CalendarHeatMap::shade(150, 100),
                               CalendarHeatMap::shade(200, 100)}),
                 (QVector<int>{0, 1, 2, 3, 4}));

        // One book: the 8th misses without the other book's words.
        w.bookChoice()->setCurrentText("甲");
        QCOMPARE(qMakePair(w.summary().currentStreak, w.summary().longestStreak), qMakePair(2, 3));
        const QString csv = dir.filePath("out.csv");
        QVERIFY(w.exportCsv(csv));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF日期,书名"));
        QCOMPARE(bytes.count('\n'), 12); // the header and the eleven days of 甲
        QVERIFY(!bytes.contains("乙"));
    }
    QSqlDatabase::removeDatabase("statswindow");
}

void TstStats::typingCountsTowardsTheGoalAndIsSaved()
{
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
    // One-key typesetting is the program's change, not writing.
    callSlot(&w, "on_one_key_clicked");
    const QString shown = goal->text();
    callSlot(&w, "timer_save_slot");
    const QVector<DayEntry> rows = WritingStore::rows(QSqlDatabase::database());
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].book, QString("书"));
    QCOMPARE(QString("今日:%1/5").arg(rows[0].net()), shown);
    QCOMPARE(rows[0].net(), written);
    QVERIFY(app.messages.isEmpty());
}

void TstStats::libraryCountsAreCachedBySizeAndTime()
{
    TestAppDir app;
    const QString lib = app.file("data/我的书籍");
    QDir().mkpath(lib + "/书/卷");
    QDir().mkpath(lib + "/书/二卷");
    const QString a = lib + "/书/卷/甲.txt", b = lib + "/书/二卷/乙.txt";
    QVERIFY(writeBytes(a, "一二 三") && writeBytes(b, "四五") &&
            writeBytes(lib + "/书/index.txt", "简介"));
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "counts");
    db.setDatabaseName(app.file("cache.db"));
    QVERIFY(db.open());
    CountCache::ensureTable(db);
    // Which files a scan counts again: all at first, then only those whose size or time changed.
    const QDateTime later = QFileInfo(a).lastModified().addSecs(60);
    const QVector<std::function<void()>> changes{[] {}, [] {}, [&] { writeBytes(b, "四五六"); },
                                                 [&] {
                                                     QFile f(a);
                                                     f.open(QIODevice::ReadWrite);
                                                     f.setFileTime(
                                                         later, QFileDevice::FileModificationTime);
                                                 }};
    const QVector<QStringList> recounted{{a, b}, {}, {b}, {a}};
    for (int i = 0; i < changes.size(); ++i) {
        changes[i]();
        QVector<CachedCount> changed;
        const QMap<QString, int> counts = CountCache::scan(lib, CountCache::load(db), &changed);
        QStringList paths;
        for (const CachedCount& c : changed)
            paths << c.path;
        QStringList expected = recounted[i];
        paths.sort();
        expected.sort();
        QCOMPARE(paths, expected);
        QCOMPARE(counts.value(a) + counts.value(b), i < 2 ? 5 : 6);
        QCOMPARE(counts.size(), 2);
        QVERIFY(CountCache::store(db, changed));
    }
    db.close();
    db = QSqlDatabase();
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
