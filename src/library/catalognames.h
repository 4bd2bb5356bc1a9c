#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// Names of catalog items: the default names of new items with their numbers, the names a
// rename may give, and the rename on disk itself.
namespace CatalogNames {

// The sort value of a new last child: one above the largest sort of its siblings, whole.
int nextSort(float maxSort);

// The sort value of a chapter inserted before another, from the sorts found for the
// chapter and the one before it: their mean; half the chapter's own when it is the first
// (one value found); 0 when none was found.
float insertSort(const QVector<float>& found);

QString bookName(int number);    // 默认书名[n]
QString volumeName(int number);  // 默认分卷[n]
QString chapterName(int number); // 默认章节[n]
// What a new chapter's file holds: its name as title line and an empty line.
QString chapterStarterText(int number);

// The first number from `start` on whose default name (`nameOf`) neither names a sibling
// nor an entry `dir + name + suffix` on disk, so a new item never takes over an existing
// chapter file or shares a directory. -1 when none is free within a sane range.
int freeNumber(int start, const std::function<QString(int)>& nameOf, const QString& dir,
               const QString& suffix, const QStringList& siblingNames);

// A name the file system keeps as it is and inside its parent directory: not empty, no
// "/" or "\", not "." or "..", no blanks or control characters at either end, no control
// characters inside.
bool isSafeName(const QString& name);

// The chapter text after its chapter was renamed from `oldTitle` to `title`. Only a title
// line is replaced: a first line that reads the old name (leading and trailing ASCII and
// full-width blanks aside) or is blank becomes its indent, the new name and an empty line,
// followed by everything after the first line break. Any other first line is the author's
// text (imported chapters start with their body), so the text is returned unchanged.
QString retitled(const QString& text, const QString& oldTitle, const QString& title);

// Renames a chapter file or a book or volume directory in place. Refuses when a path is
// empty, when the target would leave the source's directory or when anything exists at
// the target.
bool renameEntry(const QString& from, const QString& to);

} // namespace CatalogNames
