#include "search/chapterreplace.h"

#include "editor/backupname.h"
#include "library/textfile.h"

#include <QFileInfo>
#include <QObject>
#include <QSet>
#include <QThreadPool>

#include <vector>

namespace ChapterReplace {

namespace {

// Every atomic write waits for the disk; several chapters side by side share that wait.
const int parallelWrites = 8;

struct Step {
    QString backup;
    int matches = 0;
    QString failure;
    bool unclean = false;
};

// Reads, backs up and rewrites one chapter file. Runs in several threads at once, each on
// its own chapter and backup name.
void replaceInFile(const SearchTarget& target, const TextMatcher& matcher,
                   const QString& replacement, Step* step)
{
    QString text;
    const ChapterSource::State state = ChapterSource::read(target.path, &text);
    if (state != ChapterSource::Clean) {
        step->unclean = state == ChapterSource::Unclean;
        if (!step->unclean)
            step->failure = QObject::tr("%1：无法读取").arg(target.title());
        return;
    }
    const QVector<TextMatcher::Replacement> changes = matcher.replacements(text, replacement);
    if (changes.isEmpty())
        return;
    QString error;
    if (!TextFile::writeAtomic(step->backup, text, &error))
        step->failure = QObject::tr("%1：无法写入备份（%2）").arg(target.title(), error);
    else if (!TextFile::writeAtomic(target.path, TextMatcher::applied(text, changes), &error))
        step->failure = QObject::tr("%1：%2").arg(target.title(), error);
    else
        step->matches = changes.size();
}

} // namespace

QString freeBackupPath(const QString& file, const Places& places)
{
    for (qint64 t = places.msecsSinceEpoch;; ++t) {
        const QString path = backupPath(file, places.libraryPrefix, places.backupDir, t);
        if (!QFileInfo::exists(path))
            return path;
    }
}

Outcome run(const QVector<SearchTarget>& targets, const TextMatcher& matcher,
            const QString& replacement, const Places& places, const EditorApply& applyInEditor)
{
    // Backup names are settled first, one after the other, so that two chapters whose
    // names join to the same copy name cannot take the same file.
    std::vector<Step> steps(targets.size());
    QSet<QString> taken;
    for (int i = 0; i < targets.size(); ++i) {
        Places at = places;
        do {
            steps[i].backup = freeBackupPath(targets[i].path, at);
            ++at.msecsSinceEpoch;
        } while (taken.contains(steps[i].backup));
        taken.insert(steps[i].backup);
    }

    QThreadPool pool;
    pool.setMaxThreadCount(parallelWrites);
    for (int i = 0; i < targets.size(); ++i) {
        if (!targets[i].inEditor)
            pool.start([&, i] { replaceInFile(targets[i], matcher, replacement, &steps[i]); });
    }
    pool.waitForDone();

    // The open chapter belongs to the editor and to this thread.
    for (int i = 0; i < targets.size(); ++i) {
        if (!targets[i].inEditor)
            continue;
        const QVector<TextMatcher::Replacement> changes =
            matcher.replacements(targets[i].editorText, replacement);
        if (changes.isEmpty())
            continue;
        QString error;
        if (!TextFile::writeAtomic(steps[i].backup, targets[i].editorText, &error)) {
            steps[i].failure = QObject::tr("%1：无法写入备份（%2）").arg(targets[i].title(), error);
            continue;
        }
        applyInEditor(changes);
        steps[i].matches = changes.size();
    }

    Outcome outcome;
    for (int i = 0; i < targets.size(); ++i) {
        if (steps[i].unclean)
            outcome.unclean << targets[i].title();
        if (!steps[i].failure.isEmpty())
            outcome.failures << steps[i].failure;
        if (steps[i].matches > 0) {
            ++outcome.chapters;
            outcome.matches += steps[i].matches;
        }
    }
    return outcome;
}

} // namespace ChapterReplace
