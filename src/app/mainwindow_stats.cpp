#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/appdirs.h"
#include "editor/charcount.h"
#include "editor/editortext.h"
#include "editor/openchapter.h"
#include "settings/config.h"
#include "settings/themestyle.h"
#include "stats/chaptercounts.h"
#include "stats/dailygoal.h"
#include "stats/paragraphcounter.h"
#include "stats/statswindow.h"
#include "stats/writinglog.h"
#include "stats/writingstore.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

namespace {

// The book a chapter file belongs to: its first folder below the library.
QString bookOf(const QString& file)
{
    const QString prefix = AppDirs::libraryPrefix();
    if (!file.startsWith(prefix))
        return QString();
    return file.mid(prefix.size()).section(QLatin1Char('/'), 0, 0);
}

} // namespace

void MainWindow::initStats()
{
    WritingStore::ensureTable(db);
    if (!writingLog)
        writingLog = std::make_unique<WritingLog>();
    paragraphCounter = new ParagraphCounter(ui->textEdit->document(), this);
    connect(paragraphCounter, &ParagraphCounter::written, this, &MainWindow::recordWriting);
    connect(openChapter, &OpenChapter::saving, this, &MainWindow::saveWritingLog);

    statusGoalLabel = new QLabel(this);
    statusGoalLabel->setMinimumSize(100, 20);
    ui->statusBar->addWidget(statusGoalLabel);
    updateGoalLabel();

    auto* stats = new QAction(tr("码字统计"), this);
    stats->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    connect(stats, &QAction::triggered, this, &MainWindow::showStatsWindow);
    const QList<QAction*> entries = mainMenu->actions();
    // Before "关于": the last two entries stay about and quit.
    mainMenu->insertAction(entries.size() >= 2 ? entries[entries.size() - 2] : nullptr, stats);
    auto* key = new QShortcut(QKeySequence(QStringLiteral("Ctrl+T")), this);
    connect(key, &QShortcut::activated, this, &MainWindow::showStatsWindow);

    // The library's counts come after the window is up: a large library takes a while.
    CountCache::ensureTable(db);
    auto* counts = new ChapterCounts(
        ui->treeView, statusPathLabel, AppDirs::libraryDir(),
        [this] { return qMakePair(openChapter->path(), openChapterCount()); }, this);
    QTimer::singleShot(1000, counts, [counts] { counts->start(AppDirs::databasePath()); });
}

int MainWindow::openChapterCount() const
{
    return paragraphCounter ? paragraphCounter->total()
                            : chapterCharCount(editorReadingText(ui->textEdit->document()));
}

void MainWindow::recordWriting(int added, int removed)
{
    const QString book = bookOf(openChapter->path());
    if (book.isEmpty() || !writingLog)
        return;
    writingLog->record(book, added, removed);
    updateGoalLabel();
}

void MainWindow::saveWritingLog()
{
    if (auto* counts = findChild<ChapterCounts*>())
        counts->setCount(openChapter->path(), openChapterCount());
    if (!writingLog || !writingLog->hasPending())
        return;
    // Kept for the next save when the database refuses: nothing the author wrote is dropped.
    if (WritingStore::add(db, writingLog->pending())) {
        writingLog->clearPending();
        storedTodayDate = QDate();
    }
    updateGoalLabel();
}

void MainWindow::updateGoalLabel()
{
    if (!statusGoalLabel || !writingLog)
        return;
    const QDate today = writingLog->today();
    if (storedTodayDate != today) {
        storedTodayNet = WritingStore::dayNet(db, today);
        storedTodayDate = today;
    }
    const QString textColour =
        settings->value(ThemeValues::currentGroup(*settings) + "/" + Config::TextColor).toString();
    const GoalDisplay d = GoalDisplay::compute(
        storedTodayNet + writingLog->pendingNet(today),
        settings->value(Config::DailyGoal, Config::DefaultDailyGoal).toInt(), textColour);
    if (statusGoalLabel->styleSheet() != d.styleSheet)
        statusGoalLabel->setStyleSheet(d.styleSheet);
    statusGoalLabel->setText(d.label);
}

void MainWindow::showStatsWindow()
{
    // What was typed since the last save belongs in the figures.
    saveWritingLog();
    if (!statsWindow)
        statsWindow = new StatsWindow(db, this);
    static_cast<StatsWindow*>(statsWindow)
        ->reload(writingLog->today(),
                 settings->value(Config::DailyGoal, Config::DefaultDailyGoal).toInt());
    statsWindow->show();
    statsWindow->raise();
    statsWindow->activateWindow();
}

void MainWindow::renameBookStats(const QString& from, const QString& to)
{
    if (writingLog)
        writingLog->renameBook(from, to);
    WritingStore::renameBook(db, from, to);
}
