#pragma once

class QSqlQuery;
class QString;

// The one way a statement on the book index runs. A failure is logged under
// "lorvane.library" with the statement and the database's own reason, so that the cause of
// a refused catalog change survives the plain message the author sees.
namespace CatalogStatement {

// Runs the prepared `query`.
bool exec(QSqlQuery& query);
// Runs `statement` on `query`.
bool exec(QSqlQuery& query, const QString& statement);
// Prepares `statement` on `query`.
bool prepare(QSqlQuery& query, const QString& statement);

} // namespace CatalogStatement
