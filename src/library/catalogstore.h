#pragma once

#include "library/bookimport.h"

#include <QString>
#include <QVector>

#include <functional>

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
// type is unknown, which makes the rename fail. `nameTaken` says that a live sibling of the
// same kind already has the new name (its file may be gone from the disk, the row is not).
struct RenamePlan {
    bool found = false;
    bool nameTaken = false;
    int type = 0;
    QString oldName;
    QString oldPath;
    QString newPath;
    QString newUrl;
};
RenamePlan planRename(int id, const QString& newName, const QString& libraryPrefix);

// The sorts found for the rows `a` and `b`, in the table's order (one value when a = b).
QVector<float> sortsOf(int a, int b);

// Exchanges the sort values of two rows, both or neither. A missing second row counts as
// sitting just below the first. False when the first row is missing or the table refused.
bool swapSorts(int a, int b);

// Marks one row deleted; false when no row changed.
bool markDeleted(int id);

// Marks a book, its volumes and their chapters deleted, all or none. `progress` hears the
// number of chapters marked so far.
bool markBookDeleted(int bookId, const std::function<void(int)>& progress);

// Indexes an imported book, all or none: the book row `bookId` with the directory `bookDir`
// and sort `sort`; each volume (in order, sorts 1, 2, …) gets its id from the table, its
// chapters the ids that follow it. `progress` hears the number of chapters indexed so far.
bool insertImportedBook(int bookId, const QString& name, const QString& bookDir, double sort,
                        const QVector<BookImport::Volume>& volumes,
                        const std::function<void(int)>& progress);

} // namespace CatalogStore
