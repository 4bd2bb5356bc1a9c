#pragma once

#include "library/catalogpaths.h"
#include "library/catalogstore.h"

#include <QList>
#include <QStringList>

class QStandardItem;

namespace Catalog {

// A tree item for a row of the book index: the name as text, its own kind role and the id.
// The roles are set before the item joins a model, so no change signal reaches the rename
// handler.
QStandardItem* makeItem(Kind kind, const QString& name, int id);

// The names shown by the children of `parent`.
QStringList childNames(const QStandardItem* parent);

// The items of a whole library read from the index: books with their volumes and chapters.
QList<QStandardItem*> makeItems(const QVector<CatalogStore::Node>& books);

} // namespace Catalog
