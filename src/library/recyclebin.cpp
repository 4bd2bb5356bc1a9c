#include "library/recyclebin.h"

#include "library/catalogpaths.h"
#include "library/filecreate.h"

#include <QFile>
#include <QFileInfo>

#include <functional>

namespace {

// The first name from `msecs` on that nothing in `binDir` holds yet.
QString freePath(const QString& binDir, qint64 msecs, const std::function<QString(qint64)>& nameAt)
{
    for (qint64 t = msecs;; ++t) {
        const QString path = binDir + QLatin1Char('/') + nameAt(t);
        const QFileInfo entry(path);
        if (!entry.exists() && !entry.isSymLink())
            return path;
    }
}

} // namespace

namespace RecycleBin {

QString bookCopyName(const QString& book, qint64 msecs)
{
    return book + QLatin1Char('_') + QString::number(msecs);
}

QString chapterCopyName(const QString& book, const QString& volume, const QString& chapter,
                        qint64 msecs)
{
    const QChar sep = QLatin1Char('_');
    return book + sep + volume + sep + chapter + sep + QString::number(msecs) +
           QStringLiteral(".txt");
}

bool keepBook(const QString& bookDir, const QString& binDir, const QString& book, qint64 msecs,
              QString* copied, int* files)
{
    *files = 0;
    copied->clear();
    if (!QFileInfo::exists(bookDir))
        return true;
    *copied = freePath(binDir, msecs, [&](qint64 t) { return bookCopyName(book, t); });
    if (!QFileInfo(bookDir).isDir() || !FileCreate::copyRecursively(bookDir, *copied, files)) {
        // Only what this copy wrote is removed: the name was free before.
        discardCopy(*copied, binDir);
        return false;
    }
    return true;
}

bool keepChapter(const QString& chapterFile, const QString& binDir, const QString& book,
                 const QString& volume, const QString& chapter, qint64 msecs, QString* copied)
{
    copied->clear();
    if (!QFileInfo::exists(chapterFile))
        return true;
    *copied = freePath(binDir, msecs,
                       [&](qint64 t) { return chapterCopyName(book, volume, chapter, t); });
    if (QFile::copy(chapterFile, *copied) &&
        QFileInfo(*copied).size() == QFileInfo(chapterFile).size())
        return true;
    discardCopy(*copied, binDir);
    return false;
}

void discardCopy(const QString& copy, const QString& binDir)
{
    if (copy.isEmpty() || !Catalog::liesWithin(copy, binDir) || Catalog::liesWithin(binDir, copy))
        return;
    const QFileInfo entry(copy);
    if (entry.isDir() && !entry.isSymLink())
        FileCreate::deleteDir(copy);
    else
        QFile::remove(copy);
}

} // namespace RecycleBin
