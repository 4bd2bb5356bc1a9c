// The statistics window over a long log: three years of daily rows for 20 books.
#include "benchtable.h"

#include "stats/statswindow.h"
#include "stats/writingstore.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <memory>

namespace {

const QString kConnection = QStringLiteral("statsbench");

QSqlDatabase statsLog()
{
    static QTemporaryDir dir;
    if (QSqlDatabase::contains(kConnection))
        return QSqlDatabase::database(kConnection);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(dir.filePath(QStringLiteral("sys.db")));
    db.open();
    WritingStore::ensureTable(db);
    QVector<DayEntry> rows;
    const QDate today = QDate::currentDate();
    for (int book = 1; book <= 20; ++book) {
        for (int d = 0; d < 3 * 365; ++d)
            rows.append({today.addDays(-d), QStringLiteral("第%1本书").arg(book), 3000 + d % 2000,
                         d % 500, 60 + d % 120});
    }
    WritingStore::add(db, rows);
    return db;
}

void openWindow()
{
    auto window = std::make_unique<StatsWindow>(statsLog());
    window->reload(QDate::currentDate(), 4000);
    window->show();
    QApplication::processEvents();
}

BenchRegistrar stats([] {
    std::vector<BenchCase> cases;
    cases.push_back(
        {"statistics window opens", "3 years x 20 books", 11, 150, openWindow, [] { statsLog(); }});
    return cases;
});

} // namespace
