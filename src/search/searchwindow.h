#pragma once

#include "search/searchhost.h"
#include "search/searchrun.h"

#include <QSet>
#include <QWidget>

#include <memory>

namespace Ui {
class SearchWindow;
}

class QTreeWidgetItem;

// 全书查找: searches the open book or the whole library in a background run, lists the
// matches chapter by chapter as they come, opens a match on a double click, and replaces
// across chapters after the author has confirmed the count.
class SearchWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SearchWindow(const SearchHost& host, QWidget* parent = nullptr);
    ~SearchWindow() override;

    bool isSearching() const { return m_run != nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void on_btn_find_clicked();
    void on_btn_replaceAll_clicked();
    void on_btn_cancel_clicked();
    void on_findEdit_textChanged(const QString& text);
    void on_regex_toggled(bool on);
    void on_results_itemDoubleClicked(QTreeWidgetItem* item, int column);
    void found_slot(int runId, const QVector<ChapterResult>& batch);
    void completed_slot(int runId, int chapters, int matches, bool cancelled);

private:
    std::unique_ptr<TextMatcher> matcherFromFields();
    void startSearch(bool thenReplace);
    // Gives up on the running search: it stops after its current chapter and whatever it
    // still sends is dropped.
    void stopSearch();
    void replaceAll();
    void addResult(const ChapterResult& result);

    Ui::SearchWindow* ui;
    SearchHost m_host;
    SearchRun* m_run = nullptr;
    int m_runCount = 0;
    bool m_replaceAfterSearch = false;
    bool m_wholeLibrary = false;
    std::unique_ptr<TextMatcher> m_matcher;
    QVector<SearchTarget> m_listed; // the chapter of each top-level row
    QSet<QString> m_matchedPaths;
    int m_listedHits = 0;
};
