#include "randomops/world.h"

#include "support/librarysupport.h"

#include "app/appdirs.h"
#include "app/mainwindow.h"
#include "editor/editortext.h"
#include "settings/config.h"
#include "stats/chaptercounts.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>

int readingCount(const QString& text)
{
    int n = 0;
    for (const QChar c : text)
        n += c != '\n' && c != ' ' && c != QChar::Nbsp && c != QChar::LineSeparator;
    return n;
}

World::World()
{
    // A small library to begin with; later steps grow and shrink it.
    const QStringList chapters = {"书/卷/甲", "书/卷/乙", "书/卷/丙", "另书/上卷/第1章"};
    const QStringList texts = {"第一行\n\n　　正文。", "乙章\n正文 text", "丙", "第1章\n\n开头"};
    seedLibrary(app, QStringList{"书", "书/卷"} + chapters.mid(0, 3) +
                         QStringList{"另书", "另书/上卷", chapters[3]});
    for (int i = 0; i < chapters.size(); ++i) {
        const QStringList parts = chapters[i].split('/');
        if (i == 0 || i == 3)
            model.add(&model.add(nullptr, -1, 1, parts[0], {}, {}), -1, 2, parts[1], {}, {});
        writeBytes(app.file("data/我的书籍/" + chapters[i] + ".txt"), texts[i].toUtf8());
        model.add(&model.books.last().children.last(), -1, 3, parts[2], texts[i].toUtf8(),
                  texts[i]);
    }
    startWindow();
}

World::~World() = default;

void World::startWindow()
{
    window = std::make_unique<MainWindow>();
    // The test is the clock: autosave ticks are steps of their own, so the window's slow
    // timers must not fire while a step waits for events.
    for (QTimer* timer : window->findChildren<QTimer*>())
        if (timer->interval() >= 60000)
            timer->stop();
    model.closeEditor();
    // The count cache is filled now rather than a second after the start.
    auto* counts = window->findChild<ChapterCounts*>();
    if (!counts)
        return fail("no chapter counts");
    counts->start(AppDirs::databasePath());
    if (!QTest::qWaitFor([counts] { return counts->isReady(); }, 5000))
        fail("the chapters were not counted");
    if (catalogWidth) // the dragged width is kept in config.ini and shown again
        whileShown([this] {
            const int kept = settings()->value(Config::CatalogWidth).toInt();
            if (kept != catalogWidth ||
                window->findChild<QWidget*>("widget_catalogColumn")->width() != catalogWidth)
                fail(QString("catalog dragged to %1, kept at %2").arg(catalogWidth).arg(kept));
        });
    if (model.books.isEmpty()) {
        // A library with nothing left starts with a new book, volume and chapter.
        const int book = adoptNew(0, 0, 1);
        const int volume = book ? adoptNew(book, 0, 2) : 0;
        if (const int chapter = volume ? adoptNew(volume, 0, 3) : 0)
            model.open(chapter);
    }
}

void World::endWindow(bool orderly)
{
    if (orderly) {
        invoke("qApp_quit");
        model.saveOpen();
        // The quit's request to end the event loop would otherwise end every later nested
        // loop (a modal dialog) at once: a short run of the main loop takes it.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }
    window.reset();
    model.closeEditor();
}

std::unique_ptr<QSettings> World::settings() const
{
    return std::unique_ptr<QSettings>(Config::open(app.file("config.ini")));
}

void World::whileShown(const std::function<void()>& look)
{
    window->resize(800, 705);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        fail("the window was not shown");
    settle();
    look();
    const bool focused = editorOf(*window)->hasFocus();
    window->hide();
    settle();
    if (focused)
        model.saveOpen();
}

void World::forget(const LibraryModel::Node& node)
{
    if (!goneNames[node.kind].contains(node.name))
        goneNames[node.kind] << node.name;
    for (const auto& child : node.children)
        forget(child);
}

QModelIndex World::index(int uid) const { return indexOf(*window, model.relPath(uid)); }

void World::select(int uid)
{
    const QModelIndex i = index(uid);
    if (!i.isValid())
        fail("no item " + model.relPath(uid) + " in the tree");
    treeOf(*window)->setCurrentIndex(i);
}

void World::invoke(const char* slot, QGenericArgument a, QGenericArgument b, QGenericArgument c)
{
    if (!QMetaObject::invokeMethod(window.get(), slot, a, b, c))
        fail(QString("the window has no slot %1").arg(slot));
}

void World::invokeOver(const char* slot)
{
    const bool focused = editorOf(*window)->hasFocus();
    invoke(slot);
    settle();
    if (focused && !editorOf(*window)->hasFocus())
        model.saveOpen();
}

void World::setCursor(int from, int to)
{
    QTextCursor cursor(editorOf(*window)->document());
    cursor.setPosition(from);
    if (to >= 0)
        cursor.setPosition(to, QTextCursor::KeepAnchor);
    editorOf(*window)->setTextCursor(cursor);
}

QString World::editorText() const { return editorPlainText(editorOf(*window)->document()); }

void World::settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

int World::adoptNew(int parentUid, int row, int kind)
{
    const QModelIndex parent = parentUid ? index(parentUid) : QModelIndex();
    const QAbstractItemModel* m = treeOf(*window)->model();
    QStringList shown;
    for (int r = 0; r < m->rowCount(parent); ++r)
        shown << m->index(r, 0, parent).data().toString();
    LibraryModel::Node* p = model.find(parentUid);
    const QStringList expected = model.namesIn(p);
    QStringList others = shown;
    const QString name = row < shown.size() ? others.takeAt(row) : QString();
    if (shown.size() != expected.size() + 1 || others != expected || expected.contains(name)) {
        fail(QString("expected one new item at row %1 of [%2], the tree shows [%3]")
                 .arg(row)
                 .arg(expected.join(", "), shown.join(", ")));
        return 0;
    }
    const QByteArray bytes = kind == 3 ? (name + "\n\n").toUtf8() : QByteArray();
    return model.add(p, row, kind, name, bytes, QString::fromUtf8(bytes)).uid;
}

using Node = LibraryModel::Node;

// Depth first, in order, with each node's parent (null for a book); stops when `visit` says so.
static bool walk(const QVector<Node>& nodes, Node* parent,
                 const std::function<bool(Node&, Node*)>& visit)
{
    for (const Node& n : nodes) {
        if (visit(const_cast<Node&>(n), parent) || walk(n.children, const_cast<Node*>(&n), visit))
            return true;
    }
    return false;
}

Node* LibraryModel::find(int uid) const
{
    Node* found = nullptr;
    walk(books, nullptr, [&](Node& n, Node*) { return (found = n.uid == uid ? &n : nullptr); });
    return found;
}

Node* LibraryModel::parentOf(int uid) const
{
    Node* parent = nullptr;
    return walk(books, nullptr, [&](Node& n, Node* p) { return parent = p, n.uid == uid; })
               ? parent
               : nullptr;
}

QString LibraryModel::relPath(int uid) const
{
    const Node* n = find(uid);
    const Node* p = parentOf(uid);
    return !n ? QString() : p ? relPath(p->uid) + '/' + n->name : n->name;
}

QString LibraryModel::relFile(int uid) const
{
    return relPath(uid) + (find(uid) && find(uid)->kind == 3 ? ".txt" : "/index.txt");
}

QVector<int> LibraryModel::uids(int kind) const
{
    QVector<int> all;
    walk(books, nullptr, [&](Node& n, Node*) {
        if (kind == 0 || n.kind == kind)
            all.append(n.uid);
        return false;
    });
    return all;
}

QStringList LibraryModel::namesIn(const Node* p) const
{
    QStringList names;
    for (const Node& n : p ? p->children : books)
        names << n.name;
    return names;
}

Node& LibraryModel::add(Node* parent, int row, int kind, const QString& name,
                        const QByteArray& bytes, const QString& text)
{
    QVector<Node>& list = parent ? parent->children : books;
    row = row < 0 ? list.size() : row;
    list.insert(row, Node{++m_lastUid, kind, name, bytes, text, false, {}});
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
    n->text = savedText = editor;
}

void LibraryModel::open(int uid)
{
    saveOpen();
    const Node* n = find(uid);
    if (!n || n->vanished)
        return;
    openUid = uid;
    editor = savedText = n->text;
    editorEnabled = true;
}

QStringList LibraryModel::treeLines() const
{
    QStringList lines;
    walk(books, nullptr, [&](Node& n, Node* p) {
        lines << QString(2 * (p ? (p->kind) : 0), ' ') + n.name;
        return false;
    });
    return lines;
}

QMap<QString, QByteArray> LibraryModel::files() const
{
    QMap<QString, QByteArray> all = extraFiles;
    for (int uid : uids()) {
        if (!find(uid)->vanished)
            all[relFile(uid)] = find(uid)->bytes;
    }
    return all;
}
