#include "randomops/operations.h"

#include "randomops/world.h"
#include "support/librarysupport.h"

#include "app/catalogwidth.h"
#include "app/mainwindow.h"
#include "editor/typesetting.h"
#include "library/filechooser.h"
#include "library/naturalorder.h"
#include "search/searchwindow.h"
#include "settings/config.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
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

// A copy named `name` and a millisecond time, as backups and the recycle bin name them.
QString copyPattern(const QString& name)
{
    return "^" + QRegularExpression::escape(name) + "_\\d{13}\\.txt$";
}

int rowOf(const World& w, int uid)
{
    return w.model.siblingNames(uid).indexOf(w.model.find(uid)->name);
}

bool bookTaken(const World& w, const QString& name)
{
    return std::any_of(w.model.books.cbegin(), w.model.books.cend(),
                       [&](const Node& b) { return b.name == name; });
}

bool always(const World&) { return true; }
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
    const auto first = QRegularExpression("^([ \t\u3000]*)(.*?)[ \t\u3000]*$")
                           .match(end < 0 ? text : text.left(end));
    if (!first.captured(2).isEmpty() && first.captured(2) != oldName)
        return text;
    return first.captured(1) + newName + "\n\n" + (end < 0 ? QString() : text.mid(end + 1));
}

// What the author's keys add to and take from the writing log of the open item's book.
void tally(World& w, const QString& added, const QString& removed = QString())
{
    const QPoint figures(readingCount(added), readingCount(removed));
    if (!figures.isNull())
        w.written[1][w.model.relPath(w.model.openUid).section('/', 0, 0)] += figures;
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
    tally(w, text);
    return QString("\"%1\" at %2").arg(text).arg(pos);
}

// Pasting over a selection (often empty): several paragraphs at once, as from a web page.
QString paste(World& w)
{
    QString text = kTexts[w.pick(kTexts.size())];
    text = text.isEmpty() ? QStringLiteral("正文") : text;
    if (w.chance(30))
        text.replace(QStringLiteral("　　"), QString(2, kNbsp));
    const int from = w.pick(w.model.editor.size() + 1);
    const int to = w.chance(70) ? from : w.pick(w.model.editor.size() + 1);
    w.setCursor(from, to);
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(editorOf(*w.window), Qt::Key_V, Qt::ControlModifier);
    const int start = qMin(from, to), length = qAbs(to - from);
    tally(w, text, w.model.editor.mid(start, length));
    w.model.editor.replace(start, length, text);
    return QString("\"%1\" over %2..%3").arg(text).arg(from).arg(to);
}

QString backspaces(World& w)
{
    const int pos = 1 + w.pick(w.model.editor.size());
    const int n = 1 + w.pick(5);
    w.setCursor(pos);
    for (int i = 0; i < n; ++i)
        QTest::keyClick(editorOf(*w.window), Qt::Key_Backspace);
    const int gone = qMin(n, pos);
    tally(w, QString(), w.model.editor.mid(pos - gone, gone));
    w.model.editor.remove(pos - gone, gone);
    return QString("%1 before %2").arg(n).arg(pos);
}

QString pressReturn(World& w)
{
    const int pos = w.pick(w.model.editor.size() + 1);
    w.setCursor(pos);
    QTest::keyClick(editorOf(*w.window), Qt::Key_Return);
    const QString insertion = Typesetting::enterInsertion(Typesetting::enterOptions(*w.settings()));
    w.model.editor.insert(pos, insertion);
    tally(w, insertion);
    w.model.saveOpen();
    return QString("at %1").arg(pos);
}

QString autosaveTick(World& w)
{
    w.invoke("timer_save_slot");
    w.logSaved = true;
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
        // A book's writing log goes with it, joining any its new name already has.
        for (auto& log : w.written) {
            if (node->kind == 1 && log.contains(old))
                log[name] += log.take(old);
        }
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
    const int row = way == 2 ? rowOf(w, target) : w.model.find(volume)->children.size();
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
    const int row = rowOf(w, uid);
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
    const int row = rowOf(w, uid);
    // The view makes the next chapter current, or the one before, or the volume.
    const int next = row + 1 < volume->children.size() ? volume->children[row + 1].uid
                     : row > 0                         ? volume->children[row - 1].uid
                                                       : volume->uid;
    const QString what = w.model.relPath(uid);
    w.select(uid);
    w.invoke("deleteChapter_slot");
    w.model.saveOpen();
    const Node* chapter = w.model.find(uid);
    if (!chapter->vanished) {
        w.model.bin.append({copyPattern(what.split('/').join('_')), {{QString(), chapter->bytes}}});
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
    w.select(uid);
    w.invoke("deleteBooks_slot");
    w.model.saveOpen();
    QMap<QString, QByteArray> copy;
    const QMap<QString, QByteArray> all = w.model.files();
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        if (it.key().startsWith(what + '/')) {
            copy[it.key().mid(what.size() + 1)] = it.value();
            w.model.extraFiles.remove(it.key());
        }
    }
    w.model.bin.append({"^" + QRegularExpression::escape(what) + "_\\d{13}$", copy});
    if (w.model.openUid && w.model.within(w.model.openUid, uid))
        w.model.closeEditor();
    w.forget(w.model.books[rowOf(w, uid)]);
    w.model.books.removeAt(rowOf(w, uid));
    w.model.editorEnabled = false;
    return what;
}

// An item of a generated book; `withText`, a file holding one of the sample texts as an
// author's files come: UTF-8 with or without a byte-order mark, GB18030 or with a bad byte.
Node item(World& w, int kind, const QString& name, bool withText)
{
    Node n;
    n.kind = kind;
    n.name = name;
    if (!withText)
        return n;
    const QString text = kTexts[w.pick(kTexts.size())];
    const int way = w.pick(4);
    n.text = text;
    n.bytes = text.toUtf8();
    if (way == 1)
        n.bytes.prepend("\xEF\xBB\xBF");
    if (way == 2) {
        const QByteArray gb = QTextCodec::codecForName("GB18030")->fromUnicode(text);
        QTextCodec::ConverterState state;
        QTextCodec::codecForName("UTF-8")->toUnicode(gb.constData(), gb.size(), &state);
        n.bytes = state.invalidChars > 0 ? gb : n.bytes;
    }
    if (way == 3) {
        const int at = w.pick(text.size() + 1);
        n.bytes = text.left(at).toUtf8() + '\xFF' + text.mid(at).toUtf8();
        n.text = text.left(at) + QChar(QChar::ReplacementCharacter) + text.mid(at);
    }
    return n;
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
    const bool bookIndex = w.chance(15);
    Node book = item(w, 1, name, bookIndex);
    QMap<QString, QByteArray> extras;
    auto write = [&](const QString& file, const QByteArray& bytes) {
        writeBytes(w.sources.path() + '/' + rel + '/' + file, bytes);
        w.sourceFiles[rel + '/' + file] = bytes;
    };
    if (bookIndex)
        write("index.txt", book.bytes);
    if (w.chance(30)) {
        write("说明.md", "not a chapter");
        extras["说明.md"] = "not a chapter";
    }
    for (const QString& volumeName : names(w, 2, 1 + w.pick(3))) {
        const bool index = w.chance(20);
        Node volume = item(w, 2, volumeName, index);
        QDir().mkpath(w.sources.path() + '/' + rel + '/' + volume.name);
        if (index)
            write(volume.name + "/index.txt", volume.bytes);
        for (const QString& chapterName : names(w, 3, w.pick(5))) {
            volume.children << item(w, 3, chapterName, true);
            write(volume.name + '/' + chapterName + (w.chance(20) ? ".TXT" : ".txt"),
                  volume.children.last().bytes);
        }
        book.children << volume;
    }

    FileChooser::setImportChooser([dir = w.sources.path() + '/' + rel](QWidget*) { return dir; });
    w.invoke("importBooks_slot");
    FileChooser::setImportChooser({});
    const QString what = QString("\"%1\" with %2 volumes").arg(name).arg(book.children.size());
    if (bookTaken(w, name)) {
        expectError(w, kBookTaken);
        return what;
    }
    w.model.adopt(nullptr, book);
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
    bool complete = true; // up to the first chapter that cannot be read
    for (const Node& v : w.model.find(uid)->children) {
        for (const Node& c : v.children) {
            complete = complete && !c.vanished;
            text += complete ? "\n\n\n" + v.name + "    " + c.name + "\n\n\n" + c.text : "";
        }
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
        Typesetting::oneKey(plainForm(w.model.editor), Typesetting::oneKeyOptions(*w.settings()));
    return QString();
}

QString replaceAll(World& w)
{
    const int from = w.pick(w.model.editor.size());
    const QString selected = w.model.editor.mid(from, 1 + w.pick(3)).section('\n', 0, 0);
    if (selected.isEmpty())
        return "nothing selected";
    const QString replacement = kTyped[w.pick(kTyped.size())];
    const bool caseInsensitive = w.chance(50);
    w.setCursor(from, from + selected.size());
    w.invoke("str_replace_slot", Q_ARG(QString, replacement), Q_ARG(bool, true),
             Q_ARG(bool, caseInsensitive));
    w.model.editor.replace(selected, replacement,
                           caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return QString("\"%1\" by \"%2\"%3")
        .arg(selected, replacement, caseInsensitive ? ", any case" : "");
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
    Node book = item(w, 1, name, false);
    int chapterNo = 0;
    const int volumes = 1 + w.pick(2);
    for (int v = 1; v <= volumes; ++v) {
        Node volume = item(w, 2, QString("第%1卷 风起").arg(v), false);
        whole += volume.name + "\n";
        const int chapters = 1 + w.pick(3);
        for (int c = 0; c < chapters; ++c) {
            Node chapter = item(w, 3, QString("第%1章 开端").arg(++chapterNo), false);
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

    const bool taken = bookTaken(w, name);
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
    w.model.adopt(nullptr, book);
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

// Fills in fields of a window by object name (a property each, as the author's input sets
// it), then clicks its button `button`. A missing field or button fails the step.
bool fillIn(World& w, QObject* window,
            const QVector<std::tuple<const char*, const char*, QVariant>>& fields,
            const char* button)
{
    for (const auto& [name, property, value] : fields) {
        QObject* field = window ? window->findChild<QObject*>(name) : nullptr;
        if (!field || !field->setProperty(property, value))
            w.fail(QString("no field %1 to fill in").arg(name));
    }
    auto* click = window ? window->findChild<QAbstractButton*>(button) : nullptr;
    if (!click)
        w.fail(QString("no button %1").arg(button));
    if (!w.failure.isEmpty())
        return false;
    click->click();
    return true;
}

// A file a search rewrites only when it can read it and its bytes decode cleanly.
bool cleanlyDecoded(const Node& chapter)
{
    return !chapter.vanished && (!chapter.text.contains(QChar::ReplacementCharacter) ||
                                 chapter.bytes.contains("\xEF\xBF\xBD"));
}

// 全书查找 with 全部替换 over the open book or the whole library: a word (or a pattern with a
// group) taken from a chapter in scope; every chapter that holds it is backed up, then
// rewritten, the open one in the editor only.
QString replaceAcross(World& w)
{
    LibraryModel& m = w.model;
    const bool whole = !m.find(m.openUid) || w.chance(50);
    const QString book = m.relPath(m.openUid).section('/', 0, 0);
    const auto inEditor = [&m](int uid) {
        return uid == m.openUid && (m.editorEnabled || m.editor != m.savedText);
    };
    const auto textOf = [&](int uid) { return inEditor(uid) ? m.editor : m.find(uid)->text; };
    QVector<int> scope;
    QStringList texts; // the word comes from any of them, rewritable or not
    for (int uid : m.uids(3)) {
        if (!whole && m.relPath(uid).section('/', 0, 0) != book)
            continue;
        texts << textOf(uid);
        if (inEditor(uid) || cleanlyDecoded(*m.find(uid)))
            scope << uid;
    }
    const QString source = texts.isEmpty() ? "正文" : texts[w.pick(texts.size())];
    QString word = source.mid(w.pick(source.size()), 1 + w.pick(3)).section('\n', 0, 0);
    word = word.isEmpty() ? "正文" : word;
    const bool regex = w.chance(30);
    const bool caseSensitive = w.chance(50);
    QString replacement = kTyped[w.pick(kTyped.size())];
    if (regex)
        replacement = w.chance(50) ? "\\1" + replacement : replacement + "<\\1>";
    const QString pattern = regex ? "(" + QRegularExpression::escape(word) + ")" : word;
    const bool confirmed = w.chance(85);

    w.invokeOver("searchChapters_slot");
    auto* search = w.window->findChild<SearchWindow*>("SearchWindow");
    w.app.questionAnswer = confirmed ? 1 : 0;
    if (!fillIn(w, search,
                {{"findEdit", "text", pattern},
                 {"replaceEdit", "text", replacement},
                 {"regex", "checked", regex},
                 {"caseSensitive", "checked", caseSensitive},
                 {"scope", "currentIndex", int(whole)}},
                "btn_replaceAll"))
        return QString();
    if (!QTest::qWaitFor([search] { return !search->isSearching(); }))
        w.fail("the search did not end");
    w.app.questionAnswer = 0;

    const QRegularExpression re(regex ? pattern : QRegularExpression::escape(word),
                                caseSensitive ? QRegularExpression::UseUnicodePropertiesOption
                                              : QRegularExpression::UseUnicodePropertiesOption |
                                                    QRegularExpression::CaseInsensitiveOption);
    int chapters = 0;
    int matches = 0;
    for (int uid : scope) {
        const QString old = textOf(uid);
        int n = 0;
        for (auto it = re.globalMatch(old); it.hasNext(); it.next())
            ++n;
        chapters += n > 0;
        matches += n;
        if (n == 0 || !confirmed)
            continue;
        // A backup's name leaves out every ".txt", even one inside a name.
        w.newBackups.append(
            {copyPattern(m.relPath(uid).remove(".txt").replace('/', '_')), {{"", old.toUtf8()}}});
        const QString changed = QString(old).replace(re, replacement);
        if (inEditor(uid))
            m.editor = changed;
        else
            m.find(uid)->bytes = (m.find(uid)->text = changed).toUtf8();
    }
    w.expectedMessages.append(
        matches ? qMakePair(1, QString("将替换 %1 个章节中的 %2 处，替换前的章节存入时光机。"
                                       "确定全部替换吗？")
                                   .arg(chapters)
                                   .arg(matches))
                : qMakePair(0, QString("没有找到可替换的内容。")));
    return QString("\"%1\" by \"%2\" in %3%4%5%6, %7 in %8 chapters")
        .arg(pattern, replacement, whole ? "the library" : book, regex ? ", pattern" : "",
             caseSensitive ? "" : ", any case", confirmed ? "" : ", declined")
        .arg(matches)
        .arg(chapters);
}

// Drags the boundary between the catalog and the editor, now and then beyond its limits.
QString dragCatalog(World& w)
{
    const int x = 100 + w.pick(321);
    w.whileShown([&w, x] {
        auto* splitter = w.window->findChild<QSplitter*>("splitter_catalog");
        auto* column = w.window->findChild<QWidget*>("widget_catalogColumn");
        if (!splitter || !column)
            return w.fail("no catalog column");
        // Sent as the mouse would: QTest's mouseMove carries no pressed button to a widget.
        QWidget* handle = splitter->handle(1);
        const QPoint to = splitter->mapToGlobal(QPoint(x, 10));
        const QPoint at = handle->mapFromGlobal(to);
        QMouseEvent press(QEvent::MouseButtonPress, QPoint(0, 10),
                          handle->mapToGlobal(QPoint(0, 10)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent move(QEvent::MouseMove, at, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, to, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        for (QMouseEvent* e : {&press, &move, &release})
            QApplication::sendEvent(handle, e);
        w.catalogWidth = qBound(CatalogWidth::DragMinimum, x, CatalogWidth::dragMaximum(800));
        if (column->width() != w.catalogWidth)
            w.fail(
                QString("the catalog is %1 wide after a drag to %2").arg(column->width()).arg(x));
    });
    return QString("to %1").arg(x);
}

// The daily goal on the settings dialog's 分章排版 tab; an emptied field keeps the goal.
QString setDailyGoal(World& w)
{
    static const QStringList goals = {"1", "2000", "4000", "100000", "0", ""};
    const QString goal = w.chance(50) ? goals[w.pick(goals.size())] : QString::number(w.pick(9000));
    w.invokeOver("on_settings_clicked");
    if (!fillIn(w, w.window->findChild<QDialog*>("DialogSetting"),
                {{"tabWidget2", "currentIndex", 0}, {"daily_goal", "text", goal}}, "set_save"))
        return QString();
    w.settle();
    if (!goal.isEmpty())
        w.dailyGoal = goal.toInt();
    return QString("\"%1\"").arg(goal);
}

// An orderly quit saves the writing log; after a crash what it had not saved may be gone.
QString restart(World& w, bool orderly)
{
    w.endWindow(orderly);
    (orderly ? w.logSaved : w.logMayBeLost) = true;
    w.startWindow();
    return QString();
}

} // namespace

const QVector<Operation>& operations()
{
    static const QVector<Operation> table = {
        {"open item", 12, [](const World& w) { return !w.model.books.isEmpty(); }, openItem},
        {"type", 20, editing, typing},
        {"paste", 4, editing, paste},
        {"backspace", 8, [](const World& w) { return editing(w) && !w.model.editor.isEmpty(); },
         backspaces},
        {"Return", 6, editing, pressReturn},
        {"Ctrl+S", 4, editing,
         [](World& w) {
             QTest::keyClick(editorOf(*w.window), Qt::Key_S, Qt::ControlModifier);
             w.model.saveOpen();
             w.logSaved = true;
             return QString();
         }},
        {"autosave tick", 6, always, autosaveTick},
        {"rename", 8, [](const World& w) { return !w.model.books.isEmpty(); }, renameItem},
        {"new book", 2, always, newBook},
        {"new volume", 2, [](const World& w) { return hasKind(w, 1); }, newVolume},
        {"new chapter", 5, [](const World& w) { return hasKind(w, 2); }, newChapter},
        {"move chapter", 4, [](const World& w) { return hasKind(w, 3); }, moveChapter},
        {"delete chapter", 3, [](const World& w) { return hasKind(w, 3); }, deleteChapter},
        {"delete book", 2, [](const World& w) { return hasKind(w, 1); }, deleteBook},
        {"import book", 2, always, importBook},
        {"import a whole-book text file", 2, always, importWholeBook},
        {"export book", 2, [](const World& w) { return hasKind(w, 1); }, exportBook},
        {"one-key typesetting", 3, [](const World& w) { return w.model.openUid != 0; },
         oneKeyTypesetting},
        {"replace all", 3,
         [](const World& w) { return w.model.openUid && !w.model.editor.isEmpty(); }, replaceAll},
        {"replace across chapters", 3, [](const World& w) { return hasKind(w, 3); }, replaceAcross},
        {"drag the catalog boundary", 1, always, dragCatalog},
        {"set the daily goal", 1, always, setDailyGoal},
        {"file removed outside", 2, [](const World& w) { return hasKind(w, 3); }, vanish},
        {"quit and restart", 2, always, [](World& w) { return restart(w, true); }},
        {"abrupt end and restart", 1, always, [](World& w) { return restart(w, false); }},
    };
    return table;
}
