#pragma once

#include "search/searchtarget.h"
#include "search/textmatcher.h"

#include <QStringList>
#include <QVector>

#include <functional>

// Replacing across chapters. Before a chapter changes, its current text goes into the
// backup directory under the autosave's name (book_volume_chapter_T.txt), so the backup
// window lists it and the author can take the chapter back; then the new text replaces the
// file atomically. A chapter whose backup or write fails keeps its file as it was and is
// named in `failures`; a file that does not decode cleanly is never rewritten.
namespace ChapterReplace {

struct Outcome {
    int chapters = 0;
    int matches = 0;
    QStringList failures; // "book/volume/chapter：reason"
    QStringList unclean;  // book/volume/chapter
};

struct Places {
    QString libraryPrefix;
    QString backupDir;
    qint64 msecsSinceEpoch = 0;
};

// The open chapter (a target in the editor) is backed up like the others, then handed to
// `applyInEditor` instead of being written, so the editor and its file never disagree.
using EditorApply = std::function<void(const QVector<TextMatcher::Replacement>&)>;

Outcome run(const QVector<SearchTarget>& targets, const TextMatcher& matcher,
            const QString& replacement, const Places& places, const EditorApply& applyInEditor);

// The autosave's name for a copy of `file` at that time, moved on by a millisecond while a
// copy of that name exists, so two replacements in quick succession keep both copies.
QString freeBackupPath(const QString& file, const Places& places);

} // namespace ChapterReplace
