#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// What the author's library must look like after any sequence of operations: the items in
// their order, the bytes of every file, what the recycle bin must keep and what the editor
// shows. Qt Core only, so it can be reasoned about without a window.
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
    // A copy the recycle bin must hold: a top entry matching `pattern` with these files
    // ("" for a chapter copy itself, else paths below the book copy).
    struct BinEntry {
        QString pattern;
        QMap<QString, QByteArray> files;
    };

    QVector<Node> books;
    QVector<BinEntry> bin;
    // Files the library holds that are not items (copied by an import but not indexed).
    QMap<QString, QByteArray> extraFiles;

    // The editor: the item it saves into (0: none), its text, the text last read or written.
    int openUid = 0;
    QString editor;
    QString savedText;
    bool editorEnabled = false;

    Node* find(int uid);
    const Node* find(int uid) const;
    Node* parentOf(int uid);
    QString relPath(int uid) const;        // "book/volume/chapter"
    QString relFile(int uid) const;        // the file opening it reads, below the library
    QVector<int> uids(int kind = 0) const; // depth first, in order
    QStringList siblingNames(int uid) const;
    bool within(int uid, int ancestor) const;

    Node& add(Node* parent, int row, int kind, const QString& name, const QByteArray& bytes,
              const QString& text);
    // Adds `node` and everything below it at the end of `parent`'s children (null: the
    // books), each with a new uid.
    void adopt(Node* parent, const Node& node);
    int nextUid() { return ++m_lastUid; }

    // The editor's save: written only when the text differs from what the file holds,
    // is not empty and the file is still there.
    void saveOpen();
    // Opening an item saves first; an item whose file is gone changes nothing.
    void open(int uid);
    void closeEditor();

    QStringList treeLines() const;
    // Every file below the library with its bytes.
    QMap<QString, QByteArray> files() const;

private:
    int m_lastUid = 0;
};
