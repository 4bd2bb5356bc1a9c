#pragma once

#include "randomops/librarymodel.h"
#include "support/testsupport.h"

#include <QModelIndex>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>

#include <memory>

class MainWindow;

// Faults of the program that are known and being mended. While a fault is listed here, the
// operations that would run into it keep out of its way; once its mend is merged, its entry
// goes, and the operations reach it again. LORVANE_RANDOMOPS_UNGATE=all (or a list of
// names) lifts the gates for a run, to see the test find them.
enum class Fault {
    DeletedOpenItemSavedOver,  // a deleted open chapter's text is saved into a new file there
    RenameRetitlesAnyLine,     // renaming the open chapter drops a first line that is no title
    RenameOntoVanishedSibling, // a sibling whose file vanished gives its name away
    ForeignBytesMisdecoded,    // GB18030 guessed for one bad byte
    UnchangedTextRewritten,    // every save writes the open text, changed or not
    NbspInTypesetting,         // one-key typesetting keeps no-break spaces
    NbspCounted,               // the count takes no-break spaces for characters
    ReplaceAllUnsaved,         // replace-all loses no-break spaces and the autosave skips it
    UpperCaseTxtSkipped,       // an import leaves out ".TXT" chapters without a word
};
inline uint qHash(Fault f, uint seed = 0) { return ::qHash(int(f), seed); }
QSet<Fault> knownFaults();
QString faultName(Fault fault);

// One run: an application directory with a library, the places an import comes from and an
// export goes to, the main window on them and the model of what they must hold.
class World
{
public:
    explicit World(const QSet<Fault>& known);
    ~World();

    bool known(Fault f) const { return m_known.contains(f); }
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
    // whether one must appear.
    QString backupText;
    bool backupRequired = false;
    int backupCount = 0;
    int imports = 0;
    // Names of deleted items: a new item of that name lands where the old one lived.
    QStringList goneNames[4]; // by kind
    void forget(const LibraryModel::Node& node);
    QString failure;

private:
    QSet<Fault> m_known;
};
