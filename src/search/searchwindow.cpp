#include "search/searchwindow.h"
#include "ui_searchwindow.h"

#include "app/appdirs.h"
#include "app/messages.h"
#include "search/chapterreplace.h"
#include "search/hitdelegate.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>

namespace {

enum Role { TargetRole = Qt::UserRole + 1, StartRole, LengthRole };

} // namespace

SearchWindow::SearchWindow(const SearchHost& host, QWidget* parent)
    : QWidget(parent), ui(new Ui::SearchWindow), m_host(host)
{
    ui->setupUi(this);
    ui->results->setItemDelegate(new HitDelegate(ui->results));
    ui->errorLabel->hide();
}

SearchWindow::~SearchWindow()
{
    // A run still reading must end before the window it reports to goes away.
    for (SearchRun* run : findChildren<SearchRun*>()) {
        run->cancel();
        run->wait();
    }
    delete ui;
}

void SearchWindow::closeEvent(QCloseEvent* event)
{
    stopSearch();
    QWidget::closeEvent(event);
}

std::unique_ptr<TextMatcher> SearchWindow::matcherFromFields()
{
    TextMatcher::Options options;
    options.caseSensitive = ui->caseSensitive->isChecked();
    options.regex = ui->regex->isChecked();
    auto matcher = std::make_unique<TextMatcher>(ui->findEdit->text(), options);
    const QString error = matcher->error();
    ui->errorLabel->setText(error.isEmpty() ? QString() : tr("正则表达式有误：%1").arg(error));
    ui->errorLabel->setVisible(!error.isEmpty());
    return matcher;
}

void SearchWindow::on_findEdit_textChanged(const QString&) { matcherFromFields(); }

void SearchWindow::on_regex_toggled(bool) { matcherFromFields(); }

void SearchWindow::on_btn_find_clicked() { startSearch(false); }

void SearchWindow::on_btn_replaceAll_clicked() { startSearch(true); }

void SearchWindow::on_btn_cancel_clicked()
{
    if (!m_run) {
        close();
        return;
    }
    stopSearch();
    ui->summary->setText(tr("已取消"));
}

void SearchWindow::startSearch(bool thenReplace)
{
    std::unique_ptr<TextMatcher> matcher = matcherFromFields();
    if (!matcher->isValid())
        return;
    stopSearch();
    ui->results->clear();
    m_listed.clear();
    m_matchedPaths.clear();
    m_listedHits = 0;
    m_replaceAfterSearch = thenReplace;
    m_wholeLibrary = ui->scope->currentIndex() == 1;
    m_matcher = std::move(matcher);
    ui->summary->setText(tr("正在查找……"));

    m_run = new SearchRun(++m_runCount, m_host.targets(m_wholeLibrary), *m_matcher, this);
    connect(m_run, &SearchRun::found, this, &SearchWindow::found_slot);
    connect(m_run, &SearchRun::completed, this, &SearchWindow::completed_slot);
    m_run->start();
}

void SearchWindow::stopSearch()
{
    if (!m_run)
        return;
    SearchRun* run = m_run;
    m_run = nullptr;
    run->cancel();
    disconnect(run, nullptr, this, nullptr);
    connect(run, &QThread::finished, run, &QObject::deleteLater);
    if (run->isFinished())
        run->deleteLater();
}

void SearchWindow::found_slot(int runId, const QVector<ChapterResult>& batch)
{
    if (!m_run || runId != m_run->id())
        return;
    ui->results->setUpdatesEnabled(false);
    for (const ChapterResult& result : batch)
        addResult(result);
    ui->results->setUpdatesEnabled(true);
}

void SearchWindow::addResult(const ChapterResult& result)
{
    auto* group = new QTreeWidgetItem(ui->results);
    group->setData(0, TargetRole, m_listed.size());
    m_listed.append(result.target);
    const QString title = result.target.title();
    if (result.state != ChapterSource::Clean) {
        group->setText(0, result.state == ChapterSource::Unclean
                              ? tr("%1：编码无法识别，未查找，也不会替换").arg(title)
                              : tr("%1：无法读取").arg(title));
        group->setForeground(0, QColor(192, 57, 43));
        return;
    }
    m_matchedPaths.insert(result.target.path);
    group->setText(0, tr("%1（%2 处）").arg(title).arg(result.total));
    for (const TextMatcher::Hit& hit : result.hits) {
        const QString prefix = tr("第%1行：").arg(hit.line);
        auto* row = new QTreeWidgetItem(group, {prefix + hit.context});
        row->setData(0, StartRole, hit.start);
        row->setData(0, LengthRole, hit.length);
        row->setData(0, HitDelegate::MatchStartRole, prefix.size() + hit.contextStart);
        row->setData(0, HitDelegate::MatchLengthRole, hit.contextLength);
    }
    m_listedHits += result.hits.size();
    if (result.hits.size() < result.total)
        new QTreeWidgetItem(group,
                            {tr("……另有 %1 处未列出").arg(result.total - result.hits.size())});
    group->setExpanded(true);
}

void SearchWindow::completed_slot(int runId, int chapters, int matches, bool cancelled)
{
    if (!m_run || runId != m_run->id())
        return;
    m_run->wait();
    m_run->deleteLater();
    m_run = nullptr;
    if (cancelled) {
        ui->summary->setText(tr("已取消"));
        return;
    }
    QString summary = tr("共 %1 个章节 %2 处").arg(chapters).arg(matches);
    if (m_listedHits < matches)
        summary += tr("，列出前 %1 处").arg(m_listedHits);
    ui->summary->setText(summary);
    if (!m_replaceAfterSearch)
        return;
    if (matches == 0) {
        Messages::information(tr("没有找到可替换的内容。"));
        return;
    }
    if (Messages::confirm(tr("将替换 %1 个章节中的 %2 处，替换前的章节存入时光机。确定全部替换吗？")
                              .arg(chapters)
                              .arg(matches)))
        replaceAll();
}

void SearchWindow::replaceAll()
{
    QVector<SearchTarget> targets;
    for (const SearchTarget& target : m_host.targets(m_wholeLibrary)) {
        if (m_matchedPaths.contains(target.path))
            targets.append(target);
    }
    const ChapterReplace::Places places{AppDirs::libraryPrefix(), AppDirs::backupDir(),
                                        QDateTime::currentMSecsSinceEpoch()};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ChapterReplace::Outcome outcome = ChapterReplace::run(
        targets, *m_matcher, ui->replaceEdit->text(), places, m_host.replaceInEditor);
    QApplication::restoreOverrideCursor();
    ui->results->clear();
    m_listed.clear();
    m_matchedPaths.clear();
    ui->summary->setText(
        tr("已替换 %1 个章节中的 %2 处").arg(outcome.chapters).arg(outcome.matches));
    if (!outcome.failures.isEmpty())
        Messages::error(tr("以下章节没有替换，文件保持原样：\n%1")
                            .arg(outcome.failures.join(QLatin1Char('\n'))));
}

void SearchWindow::on_results_itemDoubleClicked(QTreeWidgetItem* item, int)
{
    QTreeWidgetItem* group = item->parent() ? item->parent() : item;
    const int index = group->data(0, TargetRole).toInt();
    if (index < 0 || index >= m_listed.size() || !m_matchedPaths.contains(m_listed[index].path))
        return;
    const QVariant start = item->data(0, StartRole);
    m_host.open(m_listed[index], start.isValid() ? start.toInt() : 0,
                item->data(0, LengthRole).toInt());
}
