#pragma once

#include "randomops/librarymodel.h"
#include "support/testsupport.h"

#include <QDate>
#include <QModelIndex>
#include <QPoint>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>

#include <memory>

class MainWindow;
class QSettings;

// Faults of the program that are known and being mended, by name (listed in world.cpp).
// While one is listed, the operations that would run into it ask World::known() and keep out
// of its way; once its mend is merged, its entry and its gates go, and the operations reach
// it again. LORVANE_RANDOMOPS_UNGATE=all (or a list of names) lifts the gates for a run.
QSet<QString> knownFaults();

// Characters as the count and the writing log take them: all but line feeds, spaces,
// no-break spaces and line separators.
int readingCount(const QString& text);

// One run: an application directory with a library, the places an import comes from and an
// export goes to, the main window on them and the model of what they must hold.
class World
{
public:
    explicit World(const QSet<QString>& known);
    ~World();

    bool known(const QString& fault) const { return m_known.contains(fault); }
    int pick(int n) { return n <= 1 ? 0 : int(rng.bounded(quint32(n))); }
    bool chance(int percent) { return pick(100) < percent; }

    void startWindow();
    // Orderly: through the quit entry; otherwise the window just goes (a crash, a power cut).
    void endWindow(bool orderly);

    // Driving the window as the author does.
    QModelIndex index(int uid) const;
    void select(int uid);
    void click(int uid);
    void invoke(const char* slot);
    // Invokes a slot that opens a window over the main one: the editor, should it lose the
    // focus to that window, saves.
    void invokeOver(const char* slot);
    void invoke(const char* slot, QGenericArgument a, QGenericArgument b = {},
                QGenericArgument c = {});
    void setCursor(int from, int to = -1);
    QString editorText() const;
    void settle();
    void fail(const QString& what);

    // After the window made an item, takes its name from the tree: the children of
    // `parentUid` (0: the books) must be the model's with one more at `row`.
    int adoptNew(int parentUid, int row, int kind);

    TestAppDir app;
    QTemporaryDir sources;
    QTemporaryDir exports;
    std::unique_ptr<MainWindow> window;
    LibraryModel model;
    QRandomGenerator rng;
    QList<QPair<int, QString>> expectedMessages;
    QMap<QString, QByteArray> expectedExports;
    QMap<QString, QByteArray> sourceFiles;
    // What a backup written by the last step must hold (null: no backup may appear) and
    // whether one must appear; and the backups it must have written.
    QString backupText;
    bool backupRequired = false;
    QVector<LibraryModel::BinEntry> newBackups;
    QSet<QString> seenBackups;
    // The author's writing per book as (characters added, removed): [0] in sys.db, [1] since
    // the last save. A step that saved leaves nothing pending; after a crash it may be gone.
    QMap<QString, QPoint> written[2];
    bool logSaved = false;
    bool logMayBeLost = false;
    int catalogWidth = 0; // dragged to; 0 while never dragged
    int dailyGoal = 4000;
    const QDate started = QDate::currentDate();
    // config.ini as it is on disk.
    std::unique_ptr<QSettings> settings() const;
    // Runs `look` while the window is shown at the size the catalog's widths are taken at.
    // Hidden again, it gives no focus away in later steps (the editor saves when it loses it).
    void whileShown(const std::function<void()>& look);
    int imports = 0;
    // Names of deleted items: a new item of that name lands where the old one lived.
    QStringList goneNames[4]; // by kind
    void forget(const LibraryModel::Node& node);
    QString failure;

private:
    QSet<QString> m_known;
};
