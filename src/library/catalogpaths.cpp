#include "library/catalogpaths.h"

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

QString statusPath(const QString& file, const QString& libraryPrefix)
{
    return QString(file).remove(libraryPrefix);
}

} // namespace Catalog
