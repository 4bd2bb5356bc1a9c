#pragma once

#include "search/searchtarget.h"
#include "search/textmatcher.h"

#include <QMetaType>
#include <QThread>
#include <QVector>

#include <atomic>

// What a search found in one chapter: the hits to list (the first ones only in a chapter
// full of them) and the exact count; or why the chapter could not be searched.
struct ChapterResult {
    SearchTarget target; // without the editor's text
    ChapterSource::State state = ChapterSource::Clean;
    int total = 0;
    QVector<TextMatcher::Hit> hits;
};
Q_DECLARE_METATYPE(QVector<ChapterResult>)

// One search in a thread of its own over chapters in catalog order (a few are read side by
// side, but reported in order). Results arrive in batches by queued signals, the first as
// soon as there is one, then every 50 ms, so a big library fills the list while the author
// watches and the window stays responsive.
// cancel() is a flag checked between chapters; every signal carries the run's id so a
// window can drop what a run it gave up on still delivers.
class SearchRun : public QThread
{
    Q_OBJECT

public:
    // Hits listed per chapter and in all; beyond them only the counts go on.
    static const int hitsPerChapter = 200;
    static const int hitsListed = 5000;

    SearchRun(int id, const QVector<SearchTarget>& targets, const TextMatcher& matcher,
              QObject* parent = nullptr);

    int id() const { return m_id; }
    void cancel() { m_cancelled.store(true); }

signals:
    void found(int runId, const QVector<ChapterResult>& batch);
    // Emitted last, also after a cancel.
    void completed(int runId, int chapters, int matches, bool cancelled);

protected:
    void run() override;

private:
    // Reads and searches one chapter; called from several threads at once.
    ChapterResult examine(const SearchTarget& target) const;

    const int m_id;
    const QVector<SearchTarget> m_targets;
    const TextMatcher m_matcher;
    std::atomic<bool> m_cancelled{false};
};
