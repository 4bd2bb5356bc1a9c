#pragma once

#include "support/testsupport.h"

#include <QByteArray>
#include <QDate>
#include <QMap>
#include <QModelIndex>
#include <QPoint>
#include <QRandomGenerator>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class MainWindow;
class QSettings;

// What the author's library must hold after any sequence of operations: the items in their
// order, every file's bytes, the recycle bin's copies and the editor's text. Qt Core only.
class LibraryModel
{
public:
    struct Node {
        int uid = 0;
        int kind = 0; // 1 book, 2 volume, 3 chapter
        QString name;
        QByteArray bytes;      // of the chapter file, or of a book's or volume's index.txt
        QString text;          // what opening it must show
        bool vanished = false; // removed outside the program
        QVector<Node> children;
    };
    // A copy matching `pattern` holding these files ("": a single-file copy).
    struct BinEntry {
        QString pattern;
        QMap<QString, QByteArray> files;
    };

    QVector<Node> books;
    QVector<BinEntry> bin;
    QMap<QString, QByteArray> extraFiles; // copied by an import but not indexed
    // The editor: the item it saves into (0: none), its text, the text last read or written.
    int openUid = 0;
    QString editor, savedText;
    bool editorEnabled = false;

    Node* find(int uid) const;
    Node* parentOf(int uid) const;
    QString relPath(int uid) const;                // "book/volume/chapter"
    QString relFile(int uid) const;                // the file opening it reads, below the library
    QVector<int> uids(int kind = 0) const;         // depth first, in order
    QStringList namesIn(const Node* parent) const; // of the books when null
    Node& add(Node* parent, int row, int kind, const QString& name, const QByteArray& bytes,
              const QString& text);
    // Adds `node` with everything below it at the end of `parent`'s children, new uids each.
    void adopt(Node* parent, const Node& node);
    // Written only when the text differs from the file's, is not empty and the file is there.
    void saveOpen();
    // Saves first; an item whose file is gone changes nothing.
    void open(int uid);
    void closeEditor() { openUid = 0, editorEnabled = false; }
    QStringList treeLines() const;
    QMap<QString, QByteArray> files() const; // every file below the library

private:
    int m_lastUid = 0;
};

// Characters as the count and the writing log take them: all but line feeds, spaces,
// no-break spaces and line separators.
int readingCount(const QString& text);

// One run: an application directory with a library, the places an import comes from and an
// export goes to, the main window on them and the model of what they must hold.
class World
{
public:
    World();
    ~World();
    int pick(int n) { return n <= 1 ? 0 : int(rng.bounded(quint32(n))); }
    bool chance(int percent) { return pick(100) < percent; }
    void startWindow();
    // Orderly: through the quit entry; otherwise the window just goes (a crash, a power cut).
    void endWindow(bool orderly);
    QModelIndex index(int uid) const;
    void select(int uid);
    void invoke(const char* slot, QGenericArgument a = {}, QGenericArgument b = {},
                QGenericArgument c = {});
    // For a slot that opens a window over the main one: the editor saves when it loses the focus.
    void invokeOver(const char* slot);
    void setCursor(int from, int to = -1);
    QString editorText() const;
    void settle();
    void fail(const QString& what) { failure = failure.isEmpty() ? what : failure; }
    // Adds the item the window made at `row` of `parentUid` (0: the books) as the tree names it.
    int adoptNew(int parentUid, int row, int kind);
    std::unique_ptr<QSettings> settings() const; // config.ini as it is on disk
    // Runs `look` with the window shown at the size the catalog's widths are taken at; hidden
    // again, it gives no focus away later (the editor saves when it loses it).
    void whileShown(const std::function<void()>& look);
    void forget(const LibraryModel::Node& node);

    TestAppDir app;
    QTemporaryDir sources, exports;
    std::unique_ptr<MainWindow> window;
    LibraryModel model;
    QRandomGenerator rng;
    QList<QPair<int, QString>> expectedMessages;
    QMap<QString, QByteArray> expectedExports, sourceFiles;
    // The autosave backup's text (null: none may appear) and the backups the step must write.
    QString backupText;
    bool backupRequired = false;
    QVector<LibraryModel::BinEntry> newBackups;
    QSet<QString> seenBackups;
    // The author's writing per book as (characters added, removed): [0] in sys.db, [1] since
    // the last save. A step that saved leaves nothing pending; after a crash it may be gone.
    QMap<QString, QPoint> written[2];
    bool logSaved = false, logMayBeLost = false;
    int catalogWidth = 0; // dragged to; 0 while never dragged
    int dailyGoal = 4000;
    const QDate started = QDate::currentDate();
    int imports = 0;
    QStringList goneNames[4]; // by kind: a new item of such a name lands where the old one was
    QString failure;
};

// What an author does: drawn by weight when `can` holds, `run` does it to the window and to
// the model, drawing its arguments from world.rng and returning them as text.
struct Operation {
    QString name;
    int weight;
    std::function<bool(const World&)> can;
    std::function<QString(World&)> run;
};
const QVector<Operation>& operations();

// What must hold after every step: the first broken rule as a sentence, or empty.
QString checkInvariants(World& world);
