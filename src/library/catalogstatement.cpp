#include "library/catalogstatement.h"

#include "app/logcategories.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

bool logged(bool ok, const QSqlQuery& query, const char* what, const QString& statement)
{
    if (!ok)
        qCWarning(lcLibrary).noquote()
            << what << "failed:" << statement << "—" << query.lastError().text();
    return ok;
}

} // namespace

namespace CatalogStatement {

bool exec(QSqlQuery& query) { return logged(query.exec(), query, "statement", query.lastQuery()); }

bool exec(QSqlQuery& query, const QString& statement)
{
    return logged(query.exec(statement), query, "statement", statement);
}

bool prepare(QSqlQuery& query, const QString& statement)
{
    return logged(query.prepare(statement), query, "prepare", statement);
}

} // namespace CatalogStatement
