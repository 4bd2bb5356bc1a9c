#include "randomops/operations.h"

#include "randomops/world.h"
#include "support/librarysupport.h"

#include "app/mainwindow.h"
#include "editor/typesetting.h"
#include "library/filechooser.h"
#include "library/naturalorder.h"
#include "settings/config.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTextCodec>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>

#include <memory>

namespace {

using Node = LibraryModel::Node;

const QString kUnsafe = QStringLiteral("名称不能含有 / 或 \\，不能是 . 或 ..，首尾也不能有空格!");
const QString kEmptyName = QStringLiteral("名称不能为空!");
const QString kNameTaken = QStringLiteral("重命名失败! 可能存在同名章节");
const QString kBookTaken = QStringLiteral("导入失败：书库里已有同名的书!");
const QString kCannotOpen = QStringLiteral("不能打开文件!");
const QChar kNbsp(0x00A0);

const QStringList kTyped = {"你好", "林'夕说：", "abc", "Hello world", "　　", "，。",
                            "第",   " ",         "x",   "“好”",        "\t"};
const QStringList kTexts = {"第一章 开端\n\n　　夜色很深。",
                            "没有标题的开头，直接是正文。\n第二段",
                            "  缩进的题目\n正文",
                            "",
                            "\n\n",
                            "ASCII only\nline two",
                            "林'夕\n　　“你好，”她说。"};
// Default names too: a new item must not take the place of one renamed to its name.
const QStringList kSafeNames = {"序章",  "林'夕", "上.txt篇",    "第二部",      "新名",
                                "index", "A b",   "默认章节[5]", "默认分卷[3]", "默认书名[9]"};
const QStringList kUnsafeNames = {"", " 前空格", "a/b", "..", "尾空格 ", "c\\d"};
const QStringList kBookNames = {"旧稿", "长夜", "林'夕", "A Book"};

void expectError(World& w, const QString& text) { w.expectedMessages.append({2, text}); }

int pickUid(World& w, int kind, const std::function<bool(const Node&)>& ok = {})
{
    QVector<int> all;
    for (int uid : w.model.uids(kind)) {
        if (!ok || ok(*w.model.find(uid)))
            all << uid;
    }
    return all.isEmpty() ? 0 : all[w.pick(all.size())];
}

bool hasKind(const World& w, int kind) { return !w.model.uids(kind).isEmpty(); }
bool editing(const World& w) { return w.model.openUid && w.model.editorEnabled; }

// The text as the editor's plain-text view gives it, which counting and typesetting read.
QString plainForm(QString text)
{
    return text.replace(kNbsp, QLatin1Char(' ')).replace(QChar(0x2028), QLatin1Char('\n'));
}

// A renamed chapter's title line follows its name when it is the old name or empty (in
// front of the empty line and the rest, as a new chapter's starter text has it, keeping its
// indent); any other first line is the author's text and stays as it is.
QString retitled(const QString& text, const QString& oldName, const QString& newName)
{
    const int end = text.indexOf('\n');
    const QString first = end < 0 ? text : text.left(end);
    int a = 0;
    while (a < first.size() && (first[a] == ' ' || first[a] == QChar(0x3000)))
        ++a;
    int b = first.size();
    while (b > a && (first[b - 1] == ' ' || first[b - 1] == QChar(0x3000)))
        --b;
    const QString core = first.mid(a, b - a);
    if (!core.isEmpty() && core != oldName)
        return text;
    return first.left(a) + newName + "\n\n" + (end < 0 ? QString() : text.mid(end + 1));
}

std::unique_ptr<QSettings> settingsOf(World& w)
{
    return std::unique_ptr<QSettings>(Config::open(w.app.file("config.ini")));
}

QString typing(World& w)
{
    QString text = kTyped[w.pick(kTyped.size())];
    // Text pasted from web pages comes with no-break spaces.
    if (w.chance(10))
        text = QString(2, kNbsp) + text;
    const int pos = w.pick(w.model.editor.size() + 1);
    w.setCursor(pos);
    typeText(editorOf(*w.window), text);
    w.model.editor.insert(pos, text);
    return QString("\"%1\" at %2").arg(text).arg(pos);
}

QString backspaces(World& w)
{
    const int pos = 1 + w.pick(w.model.editor.size());
    const int n = 1 + w.pick(5);
    w.setCursor(pos);
    for (int i = 0; i < n; ++i)
        QTest::keyClick(editorOf(*w.window), Qt::Key_Backspace);
    const int gone = qMin(n, pos);
    w.model.editor.remove(pos - gone, gone);
    return QString("%1 before %2").arg(n).arg(pos);
}

QString pressReturn(World& w)
{
    const int pos = w.pick(w.model.editor.size() + 1);
    w.setCursor(pos);
    QTest::keyClick(editorOf(*w.window), Qt::Key_Return);
    w.model.editor.insert(pos,
                          Typesetting::enterInsertion(Typesetting::enterOptions(*settingsOf(w))));
    w.model.saveOpen();
    return QString("at %1").arg(pos);
}

QString autosaveTick(World& w)
{
    // Whether an unchanged text is written then depends on the editor's modified flag.
    const LibraryModel::Node* open = w.model.find(w.model.openUid);
    if (w.known(Fault::UnchangedTextRewritten) && open && w.model.editor == w.model.savedText &&
        open->bytes != open->text.toUtf8())
        return "(kept out of a known fault)";
    w.invoke("timer_save_slot");
    if (w.model.openUid) {
        w.backupText = w.model.editor;
        w.backupRequired = w.model.editor != w.model.savedText;
    }
    w.model.saveOpen();
    return QString();
}

QString openItem(World& w)
{
    const int uid = pickUid(w, 0);
    w.click(uid);
    w.model.open(uid);
    return w.model.relPath(uid);
}

void renameExtras(World& w, const QString& from, const QString& to)
{
    QMap<QString, QByteArray> moved;
    for (auto it = w.model.extraFiles.cbegin(); it != w.model.extraFiles.cend(); ++it)
        moved[it.key().startsWith(from + '/') ? to + it.key().mid(from.size()) : it.key()] =
            it.value();
    w.model.extraFiles = moved;
}

QString renameItem(World& w)
{
    // The open chapter is the one whose text a rename touches.
    const int uid = w.model.openUid && w.model.find(w.model.openUid) && w.chance(30)
                        ? w.model.openUid
                        : pickUid(w, 0);
    Node* node = w.model.find(uid);
    const QString old = node->name;
    QStringList siblings = w.model.siblingNames(uid);
    siblings.removeOne(old);
    const int way = w.pick(4);
    const bool unsafe = way == 1;
    // A sibling whose file was removed outside is the interesting one to clash with.
    if (way == 2) {
        const Node* parent = w.model.parentOf(uid);
        for (const Node& n : parent ? parent->children : w.model.books) {
            if (n.vanished && n.uid != uid && w.chance(50))
                siblings = QStringList{n.name};
        }
    }
    const QStringList safe = kSafeNames + w.goneNames[node->kind];
    const QString name = way == 0 ? safe[w.pick(safe.size())]
                         : unsafe ? kUnsafeNames[w.pick(kUnsafeNames.size())]
                         : way == 2 && !siblings.isEmpty() ? siblings[w.pick(siblings.size())]
                                                           : old;
    const bool refused =
        siblings.contains(name) || (node->kind == 3 && (name == "index" || node->vanished));
    const QString path = w.model.relPath(uid);
    const QString what = QString("%1 to \"%2\"").arg(path, name);
    if (w.known(Fault::RenameOntoVanishedSibling)) {
        const Node* parent = w.model.parentOf(uid);
        for (const Node& n : parent ? parent->children : w.model.books) {
            if (n.uid != uid && n.name == name && n.vanished)
                return what + " (kept out of a known fault)";
        }
    }
    if (w.known(Fault::RenameRetitlesAnyLine) && !unsafe && !refused && name != old &&
        uid == w.model.openUid && node->kind == 3)
        return what + " (kept out of a known fault)";

    QTreeView* tree = treeOf(*w.window);
    const QModelIndex index = w.index(uid);
    emit tree->doubleClicked(index);
    tree->model()->setData(index, name);
    w.settle();

    if (unsafe) {
        expectError(w, name.isEmpty() ? kEmptyName : kUnsafe);
    } else if (name == old) {
    } else if (refused) {
        expectError(w, kNameTaken);
        w.model.editorEnabled = false;
    } else {
        renameExtras(w, path,
                     path.section('/', 0, -2).isEmpty() ? name
                                                        : path.section('/', 0, -2) + '/' + name);
        node->name = name;
        if (uid == w.model.openUid && node->kind == 3) {
            w.model.editor = retitled(w.model.editor, old, name);
            w.model.saveOpen();
        }
    }
    return what;
}

QString newBook(World& w)
{
    w.invoke("newBooks_slot");
    const int uid = w.adoptNew(0, w.model.books.size(), 1);
    return w.model.relPath(uid);
}

QString newVolume(World& w)
{
    const int book = pickUid(w, 1);
    w.select(book);
    w.invoke("newVolume_slot");
    const int uid = w.adoptNew(book, w.model.find(book)->children.size(), 2);
    w.model.open(uid);
    return w.model.relPath(uid);
}

// A new chapter at the end of a volume (from the volume's menu or a chapter's) or inserted
// before a chapter; it opens at once.
QString newChapter(World& w)
{
    const int way = w.pick(3);
    const int target = way == 0 ? pickUid(w, 2) : pickUid(w, 3);
    if (!target)
        return "no place";
    const int volume = way == 0 ? target : w.model.parentOf(target)->uid;
    Node* v = w.model.find(volume);
    int row = v->children.size();
    if (way == 2) {
        for (int r = 0; r < v->children.size(); ++r)
            row = v->children[r].uid == target ? r : row;
    }
    const QString where = w.model.relPath(target);
    w.select(target);
    w.invoke(way == 0 ? "newChapter_slot" : way == 1 ? "new_Chapter_slot" : "insertChapter_slot");
    const int uid = w.adoptNew(volume, row, 3);
    w.model.open(uid);
    return QString("%1 from %2").arg(w.model.relPath(uid), where);
}

QString moveChapter(World& w)
{
    const int uid = pickUid(w, 3);
    Node* volume = w.model.parentOf(uid);
    int row = 0;
    for (int r = 0; r < volume->children.size(); ++r)
        row = volume->children[r].uid == uid ? r : row;
    const int step = w.chance(50) ? -1 : 1;
    const QString what = QString("%1 %2").arg(w.model.relPath(uid), step < 0 ? "up" : "down");
    w.select(uid);
    w.invoke(step < 0 ? "upChapter_slot" : "downChapter_slot");
    if (row + step < 0 || row + step >= volume->children.size())
        return what + " (no room)";
    w.model.saveOpen();
    volume->children.swapItemsAt(row, row + step);
    // The row stays current and now shows the neighbour, which opens.
    w.model.open(volume->children[row].uid);
    return what;
}

QString deleteChapter(World& w)
{
    const int uid = pickUid(w, 3);
    Node* volume = w.model.parentOf(uid);
    int row = 0;
    for (int r = 0; r < volume->children.size(); ++r)
        row = volume->children[r].uid == uid ? r : row;
    // The view makes the next chapter current, or the one before, or the volume.
    const int next = row + 1 < volume->children.size() ? volume->children[row + 1].uid
                     : row > 0                         ? volume->children[row - 1].uid
                                                       : volume->uid;
    const QString what = w.model.relPath(uid);
    if (w.known(Fault::DeletedOpenItemSavedOver) && uid == w.model.openUid &&
        w.model.find(next)->vanished)
        return what + " (kept out of a known fault)";
    w.select(uid);
    w.invoke("deleteChapter_slot");
    w.model.saveOpen();
    const Node* chapter = w.model.find(uid);
    if (!chapter->vanished) {
        const QStringList parts = what.split('/');
        w.model.bin.append({"^" + QRegularExpression::escape(parts.join('_')) + "_\\d{13}\\.txt$",
                            {{QString(), chapter->bytes}}});
    }
    if (w.model.openUid == uid)
        w.model.openUid = 0;
    w.forget(volume->children[row]);
    volume->children.removeAt(row);
    w.model.open(next);
    return what;
}

QString deleteBook(World& w)
{
    const int uid = pickUid(w, 1);
    const QString what = w.model.relPath(uid);
    if (w.known(Fault::DeletedOpenItemSavedOver) && w.model.openUid &&
        w.model.within(w.model.openUid, uid))
        return what + " (kept out of a known fault)";
    w.select(uid);
    w.invoke("deleteBooks_slot");
    w.model.saveOpen();
    QMap<QString, QByteArray> copy;
    for (auto it = w.model.extraFiles.begin(); it != w.model.extraFiles.end();) {
        if (it.key().startsWith(what + '/')) {
            copy[it.key().mid(what.size() + 1)] = it.value();
            it = w.model.extraFiles.erase(it);
        } else {
            ++it;
        }
    }
    const QMap<QString, QByteArray> all = w.model.files();
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        if (it.key().startsWith(what + '/'))
            copy[it.key().mid(what.size() + 1)] = it.value();
    }
    w.model.bin.append({"^" + QRegularExpression::escape(what) + "_\\d{13}$", copy});
    if (w.model.openUid && w.model.within(w.model.openUid, uid))
        w.model.closeEditor();
    for (int r = 0; r < w.model.books.size(); ++r) {
        if (w.model.books[r].uid == uid) {
            w.forget(w.model.books[r]);
            w.model.books.removeAt(r--);
        }
    }
    w.model.editorEnabled = false;
    return what;
}

// One chapter file of a generated book: its bytes and what opening it must show.
std::pair<QByteArray, QString> chapterBytes(World& w, const QString& text)
{
    const int way = w.known(Fault::ForeignBytesMisdecoded) ? 0 : w.pick(4);
    const QByteArray utf8 = text.toUtf8();
    if (way == 1)
        return {"\xEF\xBB\xBF" + utf8, text};
    if (way == 2) {
        const QByteArray gb = QTextCodec::codecForName("GB18030")->fromUnicode(text);
        QTextCodec::ConverterState state;
        QTextCodec::codecForName("UTF-8")->toUnicode(gb.constData(), gb.size(), &state);
        if (state.invalidChars > 0)
            return {gb, text};
    }
    if (way == 3) {
        const int at = w.pick(text.size() + 1);
        return {text.left(at).toUtf8() + '\xFF' + text.mid(at).toUtf8(),
                text.left(at) + QChar(QChar::ReplacementCharacter) + text.mid(at)};
    }
    return {utf8, text};
}

// `n` distinct names for the volumes or chapters of a generated book, in the order an import
// lists them: numbered ones, now and then the name of a deleted item.
QStringList names(World& w, int kind, int n)
{
    QStringList all;
    while (all.size() < n) {
        const QStringList& gone = w.goneNames[kind];
        const QString name = !gone.isEmpty() && w.chance(25)
                                 ? gone[w.pick(gone.size())]
                                 : QString(kind == 2 ? "第%1卷" : "第%1章").arg(1 + w.pick(30));
        if (!all.contains(name))
            all << name;
    }
    NaturalOrder::sort(all);
    return all;
}

QString importBook(World& w)
{
    const QStringList pool = kBookNames + w.goneNames[1];
    QString name = pool[w.pick(pool.size())];
    if (w.chance(20) && !w.model.books.isEmpty())
        name = w.model.books[w.pick(w.model.books.size())].name;
    const QString rel = QString("%1/%2").arg(++w.imports).arg(name);
    QDir().mkpath(w.sources.path() + '/' + rel);
    const bool looseFiles = !w.known(Fault::UpperCaseTxtSkipped);
    Node book;
    book.kind = 1;
    book.name = name;
    QMap<QString, QByteArray> extras;
    auto write = [&](const QString& file, const QByteArray& bytes) {
        writeBytes(w.sources.path() + '/' + rel + '/' + file, bytes);
        w.sourceFiles[rel + '/' + file] = bytes;
    };
    if (w.chance(15)) {
        const auto [bytes, text] = chapterBytes(w, kTexts[w.pick(kTexts.size())]);
        write("index.txt", bytes);
        book.bytes = bytes;
        book.text = text;
    }
    if (looseFiles && w.chance(30)) {
        write("说明.md", "not a chapter");
        extras["说明.md"] = "not a chapter";
    }
    for (const QString& volumeName : names(w, 2, 1 + w.pick(3))) {
        Node volume;
        volume.kind = 2;
        volume.name = volumeName;
        QDir().mkpath(w.sources.path() + '/' + rel + '/' + volume.name);
        if (w.chance(20)) {
            const auto [bytes, text] = chapterBytes(w, kTexts[w.pick(kTexts.size())]);
            write(volume.name + "/index.txt", bytes);
            volume.bytes = bytes;
            volume.text = text;
        }
        for (const QString& chapterName : names(w, 3, w.pick(5))) {
            Node chapter;
            chapter.kind = 3;
            chapter.name = chapterName;
            const auto [bytes, text] = chapterBytes(w, kTexts[w.pick(kTexts.size())]);
            const bool upper = looseFiles && w.chance(20);
            write(volume.name + '/' + chapter.name + (upper ? ".TXT" : ".txt"), bytes);
            chapter.bytes = bytes;
            chapter.text = text;
            volume.children << chapter;
        }
        book.children << volume;
    }

    FileChooser::setImportChooser([dir = w.sources.path() + '/' + rel](QWidget*) { return dir; });
    w.invoke("importBooks_slot");
    FileChooser::setImportChooser({});
    const QString what = QString("\"%1\" with %2 volumes").arg(name).arg(book.children.size());
    QStringList names;
    for (const Node& b : w.model.books)
        names << b.name;
    if (names.contains(name)) {
        expectError(w, kBookTaken);
        return what;
    }
    Node& added = w.model.add(nullptr, -1, 1, name, book.bytes, book.text);
    for (const Node& volume : book.children) {
        Node& v = w.model.add(&added, -1, 2, volume.name, volume.bytes, volume.text);
        for (const Node& c : volume.children)
            w.model.add(&v, -1, 3, c.name, c.bytes, c.text);
    }
    for (auto it = extras.cbegin(); it != extras.cend(); ++it)
        w.model.extraFiles[name + '/' + it.key()] = it.value();
    if (!extras.isEmpty())
        w.expectedMessages.append({-1, extras.keys().join('|')});
    w.model.editorEnabled = false;
    return what;
}

QString exportBook(World& w)
{
    const int uid = pickUid(w, 1);
    const QString file = QString("导出%1.txt").arg(w.expectedExports.size() + 1);
    FileChooser::setExportChooser(
        [path = w.exports.path() + '/' + file](QWidget*, const QString&) { return path; });
    w.select(uid);
    w.invoke("exportBooks_slot");
    FileChooser::setExportChooser({});
    w.model.saveOpen();
    QString text;
    bool complete = true;
    for (const Node& v : w.model.find(uid)->children) {
        for (const Node& c : v.children) {
            if (c.vanished) {
                complete = false;
                break;
            }
            text += "\n\n\n" + v.name + "    " + c.name + "\n\n\n" + c.text;
        }
        if (!complete)
            break;
    }
    w.expectedExports[file] = text.toUtf8();
    if (!complete)
        expectError(w, kCannotOpen);
    return w.model.relPath(uid) + " to " + file;
}

QString oneKeyTypesetting(World& w)
{
    auto* button = w.window->findChild<QAbstractButton*>("one_key");
    if (!button)
        w.fail("no one_key button");
    else
        button->click();
    w.model.editor =
        Typesetting::oneKey(plainForm(w.model.editor), Typesetting::oneKeyOptions(*settingsOf(w)));
    return QString();
}

QString replaceAll(World& w)
{
    const QString& text = w.model.editor;
    const int from = w.pick(text.size());
    int to = from + 1 + w.pick(3);
    const int lineEnd = text.indexOf('\n', from);
    to = qMin(to, lineEnd < 0 ? int(text.size()) : lineEnd);
    const QString selected = text.mid(from, to - from);
    if (selected.isEmpty() || selected.contains('\n'))
        return "nothing selected";
    if (w.known(Fault::ReplaceAllUnsaved) && (text.contains(kNbsp) || !w.model.editorEnabled))
        return "(kept out of a known fault)";
    const QString replacement = kTyped[w.pick(kTyped.size())];
    const bool caseInsensitive = w.chance(50);
    w.setCursor(from, to);
    w.invoke("str_replace_slot", Q_ARG(QString, replacement), Q_ARG(bool, true),
             Q_ARG(bool, caseInsensitive));
    w.model.editor.replace(selected, replacement,
                           caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    QString what = QString("\"%1\" by \"%2\"%3")
                       .arg(selected, replacement, caseInsensitive ? ", any case" : "");
    if (w.known(Fault::ReplaceAllUnsaved)) {
        // Saved at once, so the skipped autosave does not matter while that fault is known.
        QTest::keyClick(editorOf(*w.window), Qt::Key_S, Qt::ControlModifier);
        w.model.saveOpen();
        what += ", saved";
    }
    return what;
}

// A whole book as one text file: volume and chapter headings on lines of their own. The
// preview is accepted as it comes; each chapter file is its heading, an empty line, its text.
QString importWholeBook(World& w)
{
    static const QStringList bodies = {"夜色很深。\n\n　　他走了。", "Hello world", "　　正文。",
                                       "没有标题的开头，直接是正文。\n第二段"};
    QString name = QString("整书%1").arg(w.imports + 1);
    if (w.chance(20) && !w.model.books.isEmpty())
        name = w.model.books[w.pick(w.model.books.size())].name;
    const QString file = QString("%1/%2.txt").arg(w.sources.path(), name);
    ++w.imports;
    QString whole;
    Node book;
    book.kind = 1;
    book.name = name;
    int chapterNo = 0;
    const int volumes = 1 + w.pick(2);
    for (int v = 1; v <= volumes; ++v) {
        Node volume;
        volume.kind = 2;
        volume.name = QString("第%1卷 风起").arg(v);
        whole += volume.name + "\n";
        const int chapters = 1 + w.pick(3);
        for (int c = 0; c < chapters; ++c) {
            Node chapter;
            chapter.kind = 3;
            chapter.name = QString("第%1章 开端").arg(++chapterNo);
            const QString body = bodies[w.pick(bodies.size())];
            whole += chapter.name + "\n" + body + "\n";
            chapter.text = chapter.name + "\n\n" + body;
            chapter.bytes = chapter.text.toUtf8();
            volume.children << chapter;
        }
        book.children << volume;
    }
    const QByteArray bytes =
        (w.chance(30) ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + whole.toUtf8();
    writeBytes(file, bytes);
    w.sourceFiles[QFileInfo(file).fileName()] = bytes;

    QStringList names;
    for (const Node& b : w.model.books)
        names << b.name;
    const bool taken = names.contains(name);
    FileChooser::setImportTextChooser([file](QWidget*) { return file; });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = w.window->findChild<QDialog*>("TxtImportDialog");
        if (!preview || !preview->isVisible())
            return;
        poll.stop();
        auto* box = preview->findChild<QDialogButtonBox*>("buttonBox");
        QPushButton* ok = box ? box->button(QDialogButtonBox::Ok) : nullptr;
        if (ok && ok->isEnabled())
            ok->click();
        if (preview->isVisible())
            preview->reject();
    });
    poll.start(5);
    w.invoke("importTxt_slot");
    FileChooser::setImportTextChooser({});
    const QString what = QString("\"%1\" with %2 volumes").arg(name).arg(book.children.size());
    if (taken)
        return what + ", name taken";
    // The open text is saved before the tree is rebuilt.
    w.model.saveOpen();
    Node& added = w.model.add(nullptr, -1, 1, name, QByteArray(), QString());
    for (const Node& volume : book.children) {
        Node& v = w.model.add(&added, -1, 2, volume.name, QByteArray(), QString());
        for (const Node& c : volume.children)
            w.model.add(&v, -1, 3, c.name, c.bytes, c.text);
    }
    w.model.editorEnabled = false;
    return what;
}

QString vanish(World& w)
{
    const int uid = pickUid(w, 3, [](const Node& n) { return !n.vanished; });
    if (!uid)
        return "nothing left to remove";
    QFile::remove(w.app.file("data/我的书籍/" + w.model.relFile(uid)));
    w.model.find(uid)->vanished = true;
    return w.model.relPath(uid);
}

} // namespace

const QVector<Operation>& operations()
{
    static const QVector<Operation> table = {
        {"open item", 12, [](const World& w) { return !w.model.books.isEmpty(); }, openItem},
        {"type", 20, editing, typing},
        {"backspace", 8, [](const World& w) { return editing(w) && !w.model.editor.isEmpty(); },
         backspaces},
        {"Return", 6, editing, pressReturn},
        {"Ctrl+S", 4, editing,
         [](World& w) {
             QTest::keyClick(editorOf(*w.window), Qt::Key_S, Qt::ControlModifier);
             w.model.saveOpen();
             return QString();
         }},
        {"autosave tick", 6, [](const World&) { return true; }, autosaveTick},
        {"rename", 8, [](const World& w) { return !w.model.books.isEmpty(); }, renameItem},
        {"new book", 2, [](const World&) { return true; }, newBook},
        {"new volume", 2, [](const World& w) { return hasKind(w, 1); }, newVolume},
        {"new chapter", 5, [](const World& w) { return hasKind(w, 2); }, newChapter},
        {"move chapter", 4, [](const World& w) { return hasKind(w, 3); }, moveChapter},
        {"delete chapter", 3, [](const World& w) { return hasKind(w, 3); }, deleteChapter},
        {"delete book", 2, [](const World& w) { return hasKind(w, 1); }, deleteBook},
        {"import book", 2, [](const World&) { return true; }, importBook},
        {"import a whole-book text file", 2, [](const World&) { return true; }, importWholeBook},
        {"export book", 2, [](const World& w) { return hasKind(w, 1); }, exportBook},
        {"one-key typesetting", 3,
         [](const World& w) {
             return w.model.openUid &&
                    !(w.known(Fault::NbspInTypesetting) && w.model.editor.contains(kNbsp));
         },
         oneKeyTypesetting},
        {"replace all", 3,
         [](const World& w) { return w.model.openUid && !w.model.editor.isEmpty(); }, replaceAll},
        {"file removed outside", 2, [](const World& w) { return hasKind(w, 3); }, vanish},
        {"quit and restart", 2, [](const World&) { return true; },
         [](World& w) {
             w.endWindow(true);
             w.startWindow();
             return QString();
         }},
        {"abrupt end and restart", 1, [](const World&) { return true; },
         [](World& w) {
             w.endWindow(false);
             w.startWindow();
             return QString();
         }},
    };
    return table;
}
