#include "search/searchrun.h"

#include <QElapsedTimer>

SearchRun::SearchRun(int id, const QVector<SearchTarget>& targets, const TextMatcher& matcher,
                     QObject* parent)
    : QThread(parent), m_id(id), m_targets(targets), m_matcher(matcher)
{
    static const int registered = qRegisterMetaType<QVector<ChapterResult>>();
    Q_UNUSED(registered);
}

void SearchRun::run()
{
    QVector<ChapterResult> batch;
    QElapsedTimer sinceSent;
    sinceSent.start();
    bool sentAny = false;
    int listedLeft = hitsListed;
    int chapters = 0;
    int matches = 0;
    for (const SearchTarget& target : m_targets) {
        if (m_cancelled.load())
            break;
        ChapterResult result;
        result.target = target;
        result.target.editorText.clear();
        QString text;
        if (target.inEditor)
            text = target.editorText;
        else
            result.state = ChapterSource::read(target.path, &text);
        if (result.state == ChapterSource::Clean) {
            result.hits = m_matcher.hits(text, qMin(hitsPerChapter, listedLeft), &result.total);
            listedLeft -= result.hits.size();
            if (result.total == 0)
                continue;
            ++chapters;
            matches += result.total;
        }
        batch.append(result);
        if (!sentAny || sinceSent.elapsed() >= 50) {
            emit found(m_id, batch);
            batch.clear();
            sentAny = true;
            sinceSent.restart();
        }
    }
    const bool cancelled = m_cancelled.load();
    if (!batch.isEmpty() && !cancelled)
        emit found(m_id, batch);
    emit completed(m_id, chapters, matches, cancelled);
}
