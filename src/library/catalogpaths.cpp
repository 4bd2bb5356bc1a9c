#include "library/catalogpaths.h"

#include <QDir>
#include <QFileInfo>

namespace Catalog {

Kind kindOf(const QModelIndex& index)
{
    if (index.data(BookTypeRole).toInt() == Book)
        return Book;
    if (index.data(VolumeTypeRole).toInt() == Volume)
        return Volume;
    if (index.data(ChapterTypeRole).toInt() == Chapter)
        return Chapter;
    return NoItem;
}

QString itemPath(const QModelIndex& index, const QString& libraryPrefix)
{
    const QChar slash = QLatin1Char('/');
    switch (kindOf(index)) {
    case Book:
        return libraryPrefix + index.data().toString();
    case Volume:
        return libraryPrefix + index.parent().data().toString() + slash + index.data().toString();
    case Chapter:
        return libraryPrefix + index.parent().parent().data().toString() + slash +
               index.parent().data().toString() + slash + index.data().toString();
    case NoItem:
        break;
    }
    return libraryPrefix;
}

QString itemFile(const QModelIndex& index, const QString& libraryPrefix)
{
    switch (kindOf(index)) {
    case Chapter:
        return itemPath(index, libraryPrefix) + QStringLiteral(".txt");
    case Book:
    case Volume:
        return itemPath(index, libraryPrefix) + QStringLiteral("/index.txt");
    case NoItem:
        break;
    }
    return QString();
}

namespace {

QString resolved(const QString& path)
{
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(existing)) {
        const int slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        rest.prepend(existing.mid(slash));
        existing.truncate(slash);
    }
    return QFileInfo(existing).canonicalFilePath() + rest;
}

} // namespace

bool liesWithin(const QString& path, const QString& dir)
{
    const QString p = resolved(path);
    QString d = resolved(dir);
    if (!d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return p + QLatin1Char('/') == d || p.startsWith(d);
}

QString statusPath(const QString& file, const QString& libraryPrefix)
{
    return QString(file).remove(libraryPrefix);
}

} // namespace Catalog
