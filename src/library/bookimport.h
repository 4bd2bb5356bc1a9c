#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The rules of bringing a book directory from outside into the library: which directories
// may come in, and what of their content becomes volumes and chapters.
namespace BookImport {

enum class Refusal {
    None,
    NotADirectory,
    // The directory holds the library or lies inside it: copying would run into its own copy.
    IntoItself,
    // A book of that name is in the tree or its directory exists: two items would share it.
    NameTaken,
};

// Whether `source` may come in as a new book of the library `libraryDir`, whose books the
// tree shows as `books`.
Refusal check(const QString& source, const QString& libraryDir, const QStringList& books);

// The book name an imported directory gets: its last path component.
QString bookName(const QString& source);

// The chapter a file of a volume directory stands for: the file name without its ".txt"
// ending; empty when the file is none (another ending, a bare ".txt", or the volume's own
// "index.txt").
QString chapterName(const QString& fileName);

struct Volume {
    QString name;
    QStringList chapters;
};

// The volumes of a book directory with their chapters, both in natural order (第2章 before
// 第10章). Hidden entries, files directly in the book directory and anything deeper than
// the chapter files are not part of the catalog.
QVector<Volume> readBook(const QString& bookDir);

// Gives the chapter files of the library's copy of a book whose ending is ".txt" in another
// case ("第一章.TXT", saved on Windows) the ".txt" the catalog's paths use; the name before
// it stays as it was. A file whose ".txt" twin exists is left alone. Run before readBook;
// the source directory is never touched.
void lowerTxtEndings(const QString& bookDir);

// The files of a copied book that did not become chapters or the text of the book or a
// volume, relative to the book directory and sorted: the author is told about them.
QStringList unindexedFiles(const QString& bookDir, const QVector<Volume>& volumes);

// The message about `files` after an import; at most `shown` of them are named.
QString unindexedMessage(const QStringList& files, int shown = 10);

} // namespace BookImport
