#pragma once

#include <QString>

// One chapter a search or a replacement looks at: where it sits in the catalog, its file,
// and, for the chapter open in the editor, the editor's text, which counts instead of the
// file because it may hold what has not been saved yet.
struct SearchTarget {
    QString book;
    QString volume;
    QString chapter;
    QString path;
    bool inEditor = false;
    QString editorText;

    // book/volume/chapter, as messages and result rows name the chapter.
    QString title() const;
};

// Reading a chapter file for a search. Only a file whose bytes decode cleanly can be
// searched and rewritten; writing back text decoded with substitutes would lose the
// characters that were replaced.
namespace ChapterSource {

enum State { Clean, Unclean, Unreadable };

// The file's text, read and decoded exactly as opening the chapter reads it.
State read(const QString& path, QString* text);

} // namespace ChapterSource
