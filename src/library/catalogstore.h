#pragma once

#include <QString>
#include <QVector>

// The statements of the catalog on the table `books`. Every text value is bound, never
// spliced into the statement, so names such as 林'夕 are stored as they are.
namespace CatalogStore {

struct Node {
    int id = 0;
    QString name;
    QVector<Node> children;
};

// The live library, depth first in sort order: books, each with its volumes, each with
// its chapters. Rows below a deleted or missing parent are never reached.
QVector<Node> readCatalog();

bool insertItem(int id, const QString& name, const QString& url, int type, int pid, double sort);
bool renameItem(int id, const QString& name, const QString& url);

// Where a rename takes an item on disk, worked out from the stored names. `found` is false
// when the row does not exist; the paths stay empty when a parent row is missing or the
// type is unknown, which makes the rename fail.
struct RenamePlan {
    bool found = false;
    int type = 0;
    QString oldName;
    QString oldPath;
    QString newPath;
    QString newUrl;
};
RenamePlan planRename(int id, const QString& newName, const QString& libraryPrefix);

} // namespace CatalogStore
