#include "randomops/librarymodel.h"

#include <functional>

namespace {

using Node = LibraryModel::Node;

// Depth first, in order; stops when `visit` says so.
bool walk(QVector<Node>& nodes, const std::function<bool(Node&)>& visit)
{
    for (Node& n : nodes) {
        if (visit(n) || walk(n.children, visit))
            return true;
    }
    return false;
}

} // namespace

LibraryModel::Node* LibraryModel::find(int uid)
{
    Node* found = nullptr;
    walk(books, [&](Node& n) {
        if (n.uid == uid)
            found = &n;
        return found != nullptr;
    });
    return found;
}

const LibraryModel::Node* LibraryModel::find(int uid) const
{
    return const_cast<LibraryModel*>(this)->find(uid);
}

LibraryModel::Node* LibraryModel::parentOf(int uid)
{
    Node* parent = nullptr;
    walk(books, [&](Node& n) {
        for (const Node& c : n.children) {
            if (c.uid == uid)
                parent = &n;
        }
        return parent != nullptr;
    });
    return parent;
}

QString LibraryModel::relPath(int uid) const
{
    const Node* n = find(uid);
    if (!n)
        return QString();
    const Node* p = const_cast<LibraryModel*>(this)->parentOf(uid);
    return p ? relPath(p->uid) + '/' + n->name : n->name;
}

QString LibraryModel::relFile(int uid) const
{
    const Node* n = find(uid);
    return relPath(uid) + (n && n->kind == 3 ? ".txt" : "/index.txt");
}

QVector<int> LibraryModel::uids(int kind) const
{
    QVector<int> all;
    walk(const_cast<QVector<Node>&>(books), [&](Node& n) {
        if (kind == 0 || n.kind == kind)
            all.append(n.uid);
        return false;
    });
    return all;
}

QStringList LibraryModel::siblingNames(int uid) const
{
    const Node* p = const_cast<LibraryModel*>(this)->parentOf(uid);
    QStringList names;
    for (const Node& n : p ? p->children : books)
        names << n.name;
    return names;
}

bool LibraryModel::within(int uid, int ancestor) const
{
    for (int u = uid; u != 0;) {
        if (u == ancestor)
            return true;
        const Node* p = const_cast<LibraryModel*>(this)->parentOf(u);
        u = p ? p->uid : 0;
    }
    return false;
}

LibraryModel::Node& LibraryModel::add(Node* parent, int row, int kind, const QString& name,
                                      const QByteArray& bytes, const QString& text)
{
    QVector<Node>& list = parent ? parent->children : books;
    Node n;
    n.uid = nextUid();
    n.kind = kind;
    n.name = name;
    n.bytes = bytes;
    n.text = text;
    row = row < 0 ? list.size() : row;
    list.insert(row, n);
    return list[row];
}

void LibraryModel::adopt(Node* parent, const Node& node)
{
    Node& added = add(parent, -1, node.kind, node.name, node.bytes, node.text);
    for (const Node& child : node.children)
        adopt(&added, child);
}

void LibraryModel::saveOpen()
{
    Node* n = find(openUid);
    if (!n || n->vanished || editor.isEmpty() || editor == savedText)
        return;
    n->bytes = editor.toUtf8();
    n->text = editor;
    savedText = editor;
}

void LibraryModel::open(int uid)
{
    saveOpen();
    const Node* n = find(uid);
    if (!n || n->vanished)
        return;
    openUid = uid;
    editor = n->text;
    savedText = n->text;
    editorEnabled = true;
}

void LibraryModel::closeEditor()
{
    openUid = 0;
    editorEnabled = false;
}

QStringList LibraryModel::treeLines() const
{
    QStringList lines;
    std::function<void(const QVector<Node>&, const QString&)> add = [&](const QVector<Node>& nodes,
                                                                        const QString& indent) {
        for (const Node& n : nodes) {
            lines << indent + n.name;
            add(n.children, indent + "  ");
        }
    };
    add(books, QString());
    return lines;
}

QMap<QString, QByteArray> LibraryModel::files() const
{
    QMap<QString, QByteArray> all = extraFiles;
    for (int uid : uids()) {
        const Node* n = find(uid);
        if (!n->vanished)
            all[relFile(uid)] = n->bytes;
    }
    return all;
}
