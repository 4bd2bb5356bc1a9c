#pragma once

#include <QSqlDatabase>
#include <QWidget>

// Access to the book index, the table `books` in A/sys.db. Operations keep no state: each
// takes the shared default connection, runs one statement and returns a plain value
// (−1, −1.0 or NaN when the database or the statement fails).
class SqliteOper : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    static bool openDatabase(QSqlDatabase& db);
    // Creates the table `books` when missing; false when the table can be neither found nor
    // created (SQLite opens any file, a text file named sys.db included: only a statement
    // tells that it is no database).
    static bool ensureBooksTable();
    static int maxId();
    static float maxSort(int pid);
    static int childCount(int pid);
    static int liveCount();

    // Closes and forgets the default connection (quit, and tests that switch directories).
    static void closeDatabase();
};
