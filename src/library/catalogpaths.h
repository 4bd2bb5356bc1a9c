#pragma once

#include <QModelIndex>
#include <QString>

// What a catalog item is and where it lives on disk. The kind and the row id travel in
// item data roles; paths are built from the names shown in the tree, never from the
// stored url.
namespace Catalog {

enum Role {
    BookTypeRole = Qt::UserRole + 1,
    VolumeTypeRole = Qt::UserRole + 2,
    ChapterTypeRole = Qt::UserRole + 3,
    ItemIdRole = Qt::UserRole + 4,
};

// The values match the `type` column of the book index.
enum Kind { NoItem = 0, Book = 1, Volume = 2, Chapter = 3 };

// Book role first, then volume, then chapter; an index carrying none is no item.
Kind kindOf(const QModelIndex& index);

// libraryPrefix + book[/volume[/chapter]]; the prefix alone for an index of no kind.
QString itemPath(const QModelIndex& index, const QString& libraryPrefix);

// The file that opening the item shows: a chapter's path + ".txt", a book's or volume's
// path + "/index.txt"; empty for an index of no kind.
QString itemFile(const QModelIndex& index, const QString& libraryPrefix);

// The text of the status bar for an opened file: the path below the library.
QString statusPath(const QString& file, const QString& libraryPrefix);

// Whether `path` is `dir` or lies below it, once links are resolved; a path that does not
// exist yet is judged by the deepest directory above it that does.
bool liesWithin(const QString& path, const QString& dir);

} // namespace Catalog
