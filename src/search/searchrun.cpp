#include "search/searchrun.h"

#include <QElapsedTimer>
#include <QThreadPool>

#include <vector>

namespace {

// Chapters are read and searched this many at a time, in parallel, then reported in
// catalog order: opening thousands of small files one after the other leaves the disk and
// the other cores waiting.
const int blockSize = 48;

} // namespace

SearchRun::SearchRun(int id, const QVector<SearchTarget>& targets, const TextMatcher& matcher,
                     QObject* parent)
    : QThread(parent), m_id(id), m_targets(targets), m_matcher(matcher)
{
    static const int registered = qRegisterMetaType<QVector<ChapterResult>>();
    Q_UNUSED(registered);
}

ChapterResult SearchRun::examine(const SearchTarget& target) const
{
    ChapterResult result;
    if (m_cancelled.load())
        return result;
    result.target = target;
    result.target.editorText.clear();
    QString text;
    if (target.inEditor)
        text = target.editorText;
    else
        result.state = ChapterSource::read(target.path, &text);
    if (result.state == ChapterSource::Clean)
        result.hits = m_matcher.hits(text, hitsPerChapter, &result.total);
    return result;
}

void SearchRun::run()
{
    QThreadPool pool;
    pool.setMaxThreadCount(qMax(2, QThread::idealThreadCount()) * 2);
    // Each task writes its own element; a QVector would check for sharing on every access.
    std::vector<ChapterResult> block(blockSize);
    QVector<ChapterResult> batch;
    QElapsedTimer sinceSent;
    sinceSent.start();
    bool sentAny = false;
    int listedLeft = hitsListed;
    int chapters = 0;
    int matches = 0;
    for (int from = 0; from < m_targets.size() && !m_cancelled.load(); from += blockSize) {
        const int count = qMin(blockSize, int(m_targets.size()) - from);
        for (int i = 0; i < count; ++i)
            pool.start([this, &block, from, i] { block[i] = examine(m_targets[from + i]); });
        pool.waitForDone();
        for (int i = 0; i < count && !m_cancelled.load(); ++i) {
            ChapterResult& result = block[i];
            if (result.state == ChapterSource::Clean) {
                if (result.total == 0)
                    continue;
                result.hits.resize(qMin(int(result.hits.size()), listedLeft));
                listedLeft -= result.hits.size();
                ++chapters;
                matches += result.total;
            }
            batch.append(std::move(result));
            if (!sentAny || sinceSent.elapsed() >= 50) {
                emit found(m_id, batch);
                batch.clear();
                sentAny = true;
                sinceSent.restart();
            }
        }
    }
    const bool cancelled = m_cancelled.load();
    if (!batch.isEmpty() && !cancelled)
        emit found(m_id, batch);
    emit completed(m_id, chapters, matches, cancelled);
}
