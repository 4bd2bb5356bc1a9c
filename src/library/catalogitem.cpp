#include "library/catalogitem.h"

#include <QStandardItem>

namespace Catalog {

QStandardItem* makeItem(Kind kind, const QString& name, int id)
{
    auto* item = new QStandardItem(name);
    const int role = kind == Book     ? BookTypeRole
                     : kind == Volume ? VolumeTypeRole
                                      : ChapterTypeRole;
    item->setData(int(kind), role);
    item->setData(id, ItemIdRole);
    return item;
}

QStringList childNames(const QStandardItem* parent)
{
    QStringList names;
    for (int row = 0; row < parent->rowCount(); ++row)
        names.append(parent->child(row)->text());
    return names;
}

QList<QStandardItem*> makeItems(const QVector<CatalogStore::Node>& books)
{
    QList<QStandardItem*> items;
    items.reserve(books.size());
    for (const CatalogStore::Node& book : books) {
        QStandardItem* bookItem = makeItem(Book, book.name, book.id);
        for (const CatalogStore::Node& volume : book.children) {
            QStandardItem* volumeItem = makeItem(Volume, volume.name, volume.id);
            QList<QStandardItem*> chapters;
            chapters.reserve(volume.children.size());
            for (const CatalogStore::Node& chapter : volume.children)
                chapters.append(makeItem(Chapter, chapter.name, chapter.id));
            volumeItem->appendRows(chapters);
            bookItem->appendRow(volumeItem);
        }
        items.append(bookItem);
    }
    return items;
}

} // namespace Catalog
