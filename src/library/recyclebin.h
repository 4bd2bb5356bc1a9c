#pragma once

#include <QString>

// Copies of deleted books and chapters in the recycle bin. A book becomes the directory
// <book>_<T>, a chapter the file <book>_<volume>_<chapter>_<T>.txt, T being the time of
// deletion in milliseconds since the epoch.
namespace RecycleBin {

QString bookCopyName(const QString& book, qint64 msecs);
QString chapterCopyName(const QString& book, const QString& volume, const QString& chapter,
                        qint64 msecs);

// Copies the book directory `bookDir` into `binDir` under its time-stamped name; a name
// already taken moves on to the next millisecond, so no earlier copy is ever touched.
// True when every file arrived, and when there is nothing on disk to keep (`copied` then
// stays empty); a partial copy is taken out again. `copied` gets the copy's path and
// `files` the number of files copied.
bool keepBook(const QString& bookDir, const QString& binDir, const QString& book, qint64 msecs,
              QString* copied, int* files);

// The same for one chapter file.
bool keepChapter(const QString& chapterFile, const QString& binDir, const QString& book,
                 const QString& volume, const QString& chapter, qint64 msecs, QString* copied);

// Takes a copy made above out of the bin again, when what it copied stays in the library
// after all. Nothing but an entry inside `binDir` is ever removed.
void discardCopy(const QString& copy, const QString& binDir);

} // namespace RecycleBin
