#include "search/chapterreplace.h"

#include "editor/backupname.h"
#include "library/textfile.h"

#include <QFileInfo>
#include <QObject>

namespace ChapterReplace {

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
    Outcome outcome;
    for (const SearchTarget& target : targets) {
        QString text = target.editorText;
        if (!target.inEditor) {
            const ChapterSource::State state = ChapterSource::read(target.path, &text);
            if (state == ChapterSource::Unclean) {
                outcome.unclean << target.title();
                continue;
            }
            if (state == ChapterSource::Unreadable) {
                outcome.failures << QObject::tr("%1：无法读取").arg(target.title());
                continue;
            }
        }
        const QVector<TextMatcher::Replacement> changes = matcher.replacements(text, replacement);
        if (changes.isEmpty())
            continue;
        QString error;
        if (!TextFile::writeAtomic(freeBackupPath(target.path, places), text, &error)) {
            outcome.failures << QObject::tr("%1：无法写入备份（%2）").arg(target.title(), error);
            continue;
        }
        if (target.inEditor)
            applyInEditor(changes);
        else if (!TextFile::writeAtomic(target.path, TextMatcher::applied(text, changes), &error)) {
            outcome.failures << QObject::tr("%1：%2").arg(target.title(), error);
            continue;
        }
        ++outcome.chapters;
        outcome.matches += changes.size();
    }
    return outcome;
}

} // namespace ChapterReplace
