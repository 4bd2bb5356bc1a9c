#pragma once

#include <QString>

// The chapter title of the title bar after an edit or a save: the open file's name without
// its ".txt" ("index" for the text of a book or volume), with "*" once the cursor has moved
// or the text changed since the last Ctrl+S or opening.
namespace ChapterTitle {
QString plain(const QString& openFile);
QString starred(const QString& openFile);
} // namespace ChapterTitle
