#include "randomops/world.h"
#include "support/librarysupport.h"

#include "app/catalogwidth.h"
#include "app/mainwindow.h"
#include "editor/typesetting.h"
#include "library/filechooser.h"
#include "library/naturalorder.h"
#include "search/searchwindow.h"

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

namespace {

using Node = LibraryModel::Node;
using W = World&;

const QChar kNbsp(0x00A0);
const QStringList kTyped = {"你好", "林'夕说：", "abc", "Hello world", "　　", "，。",
                            "第",   " ",         "x",   "“好”",        "\t"};
const QStringList kTexts =
    QString("第一章 开端\n\n　　夜色很深。|没有标题的开头，直接是正文。\n第二段|"
            "  缩进的题目\n正文||\n\n|ASCII only\nline two|林'夕\n　　“你好，”她说。")
        .split('|');
// Default names too: a new item must not take the place of one renamed to its name.
const QStringList kSafeNames = {"序章",  "林'夕", "上.txt篇",    "第二部",      "新名",
                                "index", "A b",   "默认章节[5]", "默认分卷[3]", "默认书名[9]"};

const QString& oneOf(W w, const QStringList& all) { return all[w.pick(all.size())]; }
void expectError(W w, const QString& text) { w.expectedMessages.append({2, text}); }

int pickUid(W w, int kind, bool vanishedToo = true)
{
    QVector<int> all;
    for (int uid : w.model.uids(kind)) {
        if (vanishedToo || !w.model.find(uid)->vanished)
            all << uid;
    }
    return all.isEmpty() ? 0 : all[w.pick(all.size())];
}

// A copy named `name` and a millisecond time, as backups and the recycle bin name them.
QString copyPattern(const QString& name, const QString& tail = "\\.txt")
{
    return "^" + QRegularExpression::escape(name) + "_\\d{13}" + tail + "$";
}

int rowOf(const World& w, int uid)
{
    return w.model.namesIn(w.model.parentOf(uid)).indexOf(w.model.find(uid)->name);
}

// A renamed chapter's title line follows its name when it is the old name or empty (keeping
// its indent, then an empty line); any other first line is the author's text.
QString retitled(const QString& text, const QString& oldName, const QString& newName)
{
    const int end = text.indexOf('\n');
    const auto first = QRegularExpression("^([ \t\u3000]*)(.*?)[ \t\u3000]*$")
                           .match(end < 0 ? text : text.left(end));
    if (!first.captured(2).isEmpty() && first.captured(2) != oldName)
        return text;
    return first.captured(1) + newName + "\n\n" + (end < 0 ? QString() : text.mid(end + 1));
}

// Keys at `pos` (selecting to `to`) turn `length` characters at `start` into `inserted`.
QString keys(W w, int pos, int to, int start, int length, const QString& inserted,
             const std::function<void(QTextEdit*)>& keys)
{
    w.setCursor(pos, to);
    keys(editorOf(*w.window));
    const QPoint figures(readingCount(inserted), readingCount(w.model.editor.mid(start, length)));
    if (!figures.isNull())
        w.written[1][w.model.relPath(w.model.openUid).section('/', 0, 0)] += figures;
    w.model.editor.replace(start, length, inserted);
    return QString("\"%1\" for %2..%3").arg(inserted).arg(start).arg(start + length);
}

QString typing(W w)
{
    QString text = oneOf(w, kTyped);
    if (w.chance(10)) // text pasted from web pages comes with no-break spaces
        text = QString(2, kNbsp) + text;
    const int pos = w.pick(w.model.editor.size() + 1);
    return keys(w, pos, -1, pos, 0, text, [&](QTextEdit* e) { typeText(e, text); });
}

// Pasting over a selection (often empty): several paragraphs at once, as from a web page.
QString paste(W w)
{
    QString text = oneOf(w, kTexts);
    text = text.isEmpty() ? QStringLiteral("正文") : text;
    if (w.chance(30))
        text.replace(QStringLiteral("　　"), QString(2, kNbsp));
    const int from = w.pick(w.model.editor.size() + 1);
    const int to = w.chance(70) ? from : w.pick(w.model.editor.size() + 1);
    QGuiApplication::clipboard()->setText(text);
    return keys(w, from, to, qMin(from, to), qAbs(to - from), text,
                [](QTextEdit* e) { QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier); });
}

QString backspaces(W w)
{
    const int pos = 1 + w.pick(w.model.editor.size());
    const int n = 1 + w.pick(5);
    return keys(w, pos, -1, pos - qMin(n, pos), qMin(n, pos), QString(), [n](QTextEdit* e) {
        for (int i = 0; i < n; ++i)
            QTest::keyClick(e, Qt::Key_Backspace);
    });
}

QString pressReturn(W w)
{
    const int pos = w.pick(w.model.editor.size() + 1);
    const QString what = keys(w, pos, -1, pos, 0,
                              Typesetting::enterInsertion(Typesetting::enterOptions(*w.settings())),
                              [](QTextEdit* e) { QTest::keyClick(e, Qt::Key_Return); });
    w.model.saveOpen();
    return what;
}

QString saving(W w, bool autosave)
{
    if (autosave && w.model.openUid) {
        w.backupText = w.model.editor;
        w.backupRequired = w.model.editor != w.model.savedText;
    }
    if (autosave)
        w.invoke("timer_save_slot");
    else
        QTest::keyClick(editorOf(*w.window), Qt::Key_S, Qt::ControlModifier);
    w.model.saveOpen();
    w.logSaved = true;
    return QString();
}

QString renameItem(W w)
{
    // The open chapter is the one whose text a rename touches.
    const int uid = w.model.find(w.model.openUid) && w.chance(30) ? w.model.openUid : pickUid(w, 0);
    Node* node = w.model.find(uid);
    const QString old = node->name, path = w.model.relPath(uid);
    QStringList siblings = w.model.namesIn(w.model.parentOf(uid));
    siblings.removeOne(old);
    const int way = w.pick(4);
    // A sibling whose file was removed outside is the interesting one to clash with.
    if (way == 2) {
        const Node* parent = w.model.parentOf(uid);
        for (const Node& n : parent ? parent->children : w.model.books) {
            if (n.vanished && n.uid != uid && w.chance(50))
                siblings = QStringList{n.name};
        }
    }
    const QString name = way == 0   ? oneOf(w, kSafeNames + w.goneNames[node->kind])
                         : way == 1 ? oneOf(w, {"", " 前空格", "a/b", "..", "尾空格 ", "c\\d"})
                         : way == 2 && !siblings.isEmpty() ? oneOf(w, siblings)
                                                           : old;
    const QModelIndex index = w.index(uid);
    emit treeOf(*w.window)->doubleClicked(index);
    treeOf(*w.window)->model()->setData(index, name);
    w.settle();
    if (way == 1) {
        expectError(w, name.isEmpty() ? "名称不能为空!"
                                      : "名称不能含有 / 或 \\，不能是 . 或 ..，首尾也不能有空格!");
    } else if (name != old && (siblings.contains(name) ||
                               (node->kind == 3 && (name == "index" || node->vanished)))) {
        expectError(w, "重命名失败! 可能存在同名章节");
        w.model.editorEnabled = false;
    } else if (name != old) {
        const QString to = (path.contains('/') ? path.section('/', 0, -2) + '/' : "") + name;
        for (const QString& file : w.model.extraFiles.keys()) {
            if (file.startsWith(path + '/'))
                w.model.extraFiles[to + file.mid(path.size())] = w.model.extraFiles.take(file);
        }
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
    return QString("%1 to \"%2\"").arg(path, name);
}

// A new book, volume or chapter (at a volume's end from its menu or a chapter's, or before a
// chapter); a volume or chapter opens at once.
QString newItem(W w, int kind)
{
    const int way = kind == 3 ? w.pick(3) : 0;
    const int target = kind == 1 ? 0 : pickUid(w, way == 0 ? kind - 1 : 3);
    if (kind == 3 && !target)
        return "no place";
    const int parent = kind == 3 && way != 0 ? w.model.parentOf(target)->uid : target;
    const Node* p = w.model.find(parent);
    const int row = way == 2 ? rowOf(w, target) : (p ? p->children : w.model.books).size();
    if (target)
        w.select(target);
    w.invoke(kind == 1   ? "newBooks_slot"
             : kind == 2 ? "newVolume_slot"
                         : QList<const char*>{"newChapter_slot", "new_Chapter_slot",
                                              "insertChapter_slot"}[way]);
    const int uid = w.adoptNew(parent, row, kind);
    if (kind > 1)
        w.model.open(uid);
    return QString("%1 from %2").arg(w.model.relPath(uid), w.model.relPath(target));
}

QString moveChapter(W w)
{
    const int uid = pickUid(w, 3);
    Node* volume = w.model.parentOf(uid);
    const int row = rowOf(w, uid);
    const int step = w.chance(50) ? -1 : 1;
    const QString what = QString("%1 %2").arg(w.model.relPath(uid)).arg(step);
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

QString deleteItem(W w, int kind)
{
    const int uid = pickUid(w, kind);
    const QString what = w.model.relPath(uid);
    Node* parent = w.model.parentOf(uid);
    QVector<Node>& siblings = parent ? parent->children : w.model.books;
    const int row = rowOf(w, uid);
    // The view makes the next chapter current, or the one before, or the volume.
    const int next = kind == 1                   ? 0
                     : row + 1 < siblings.size() ? siblings[row + 1].uid
                     : row > 0                   ? siblings[row - 1].uid
                                                 : parent->uid;
    w.select(uid);
    w.invoke(kind == 1 ? "deleteBooks_slot" : "deleteChapter_slot");
    w.model.saveOpen();
    QMap<QString, QByteArray> copy;
    const QMap<QString, QByteArray> all = w.model.files();
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        if (kind == 1 && it.key().startsWith(what + '/')) {
            copy[it.key().mid(what.size() + 1)] = it.value();
            w.model.extraFiles.remove(it.key());
        }
    }
    if (kind == 1)
        w.model.bin.append({copyPattern(what, ""), copy});
    else if (!siblings[row].vanished)
        w.model.bin.append({copyPattern(what.split('/').join('_')), {{"", siblings[row].bytes}}});
    const QString open = w.model.relPath(w.model.openUid);
    if (open == what || open.startsWith(what + '/'))
        w.model.closeEditor();
    w.forget(siblings[row]);
    siblings.removeAt(row);
    if (kind == 1)
        w.model.editorEnabled = false;
    else
        w.model.open(next);
    return what;
}

// An imported item; `withText`, with a file as authors' come: UTF-8 (with a BOM or a bad
// byte) or GB18030.
Node item(W w, int kind, const QString& name, bool withText)
{
    Node n{0, kind, name, {}, withText ? oneOf(w, kTexts) : QString(), false, {}};
    const QString text = n.text;
    const int way = withText ? w.pick(4) : 0;
    n.bytes = QByteArray(way == 1 ? "\xEF\xBB\xBF" : "") + text.toUtf8();
    if (way == 2) {
        const QByteArray gb = QTextCodec::codecForName("GB18030")->fromUnicode(text);
        QTextCodec::ConverterState state;
        QTextCodec::codecForName("UTF-8")->toUnicode(gb.constData(), gb.size(), &state);
        n.bytes = state.invalidChars > 0 ? gb : n.bytes;
    } else if (way == 3) {
        const int at = w.pick(text.size() + 1);
        n.bytes = text.left(at).toUtf8() + '\xFF' + text.mid(at).toUtf8();
        n.text = text.left(at) + QChar(QChar::ReplacementCharacter) + text.mid(at);
    }
    return n;
}

// `n` distinct names of volumes or chapters in import order, some of deleted items.
QStringList names(W w, int kind, int n)
{
    QStringList all;
    while (all.size() < n) {
        const QStringList& gone = w.goneNames[kind];
        const QString name = !gone.isEmpty() && w.chance(25)
                                 ? oneOf(w, gone)
                                 : QString(kind == 2 ? "第%1卷" : "第%1章").arg(1 + w.pick(30));
        if (!all.contains(name))
            all << name;
    }
    NaturalOrder::sort(all);
    return all;
}

void writeSource(W w, const QString& rel, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(w.sources.path() + '/' + rel).path());
    writeBytes(w.sources.path() + '/' + rel, bytes);
    w.sourceFiles[rel] = bytes;
}

// A name for an imported book: now and then one the library already has.
QString importName(W w, const QString& fresh)
{
    return w.chance(20) && !w.model.books.isEmpty() ? oneOf(w, w.model.namesIn(nullptr)) : fresh;
}

// A book's directory: index.txt files, chapters (some .TXT) and a file that is none.
QString importBook(W w)
{
    const QString name =
        importName(w, oneOf(w, QStringList{"旧稿", "长夜", "林'夕", "A Book"} + w.goneNames[1]));
    const QString rel = QString("%1/%2").arg(++w.imports).arg(name);
    const bool bookIndex = w.chance(15);
    Node book = item(w, 1, name, bookIndex);
    if (bookIndex)
        writeSource(w, rel + "/index.txt", book.bytes);
    const bool extra = w.chance(30);
    if (extra)
        writeSource(w, rel + "/说明.md", "not a chapter");
    for (const QString& volumeName : names(w, 2, 1 + w.pick(3))) {
        const bool index = w.chance(20);
        Node volume = item(w, 2, volumeName, index);
        QDir().mkpath(w.sources.path() + '/' + rel + '/' + volume.name);
        if (index)
            writeSource(w, rel + '/' + volume.name + "/index.txt", volume.bytes);
        for (const QString& chapterName : names(w, 3, w.pick(5))) {
            volume.children << item(w, 3, chapterName, true);
            writeSource(
                w, rel + '/' + volume.name + '/' + chapterName + (w.chance(20) ? ".TXT" : ".txt"),
                volume.children.last().bytes);
        }
        book.children << volume;
    }
    FileChooser::setImportChooser([dir = w.sources.path() + '/' + rel](QWidget*) { return dir; });
    w.invoke("importBooks_slot");
    FileChooser::setImportChooser({});
    if (w.model.namesIn(nullptr).contains(name)) {
        expectError(w, "导入失败：书库里已有同名的书!");
        return name + " (taken)";
    }
    w.model.adopt(nullptr, book);
    if (extra) {
        w.model.extraFiles[name + "/说明.md"] = "not a chapter";
        w.expectedMessages.append({-1, "说明.md"});
    }
    w.model.editorEnabled = false;
    return name;
}

// A whole book as one text file, its preview accepted as it comes: each chapter file is
// its heading, an empty line, its text.
QString importWholeBook(W w)
{
    static const QStringList bodies = {"夜色很深。\n\n　　他走了。", "Hello world", "　　正文。",
                                       "没有标题的开头，直接是正文。\n第二段"};
    const QString name = importName(w, QString("整书%1").arg(++w.imports));
    QString whole;
    Node book = item(w, 1, name, false);
    for (int v = 1, volumes = 1 + w.pick(2), chapterNo = 0; v <= volumes; ++v) {
        book.children << item(w, 2, QString("第%1卷 风起").arg(v), false);
        whole += book.children.last().name + "\n";
        for (int c = 0, chapters = 1 + w.pick(3); c < chapters; ++c) {
            const QString heading = QString("第%1章 开端").arg(++chapterNo);
            const QString body = oneOf(w, bodies);
            whole += heading + "\n" + body + "\n";
            const QString text = heading + "\n\n" + body;
            book.children.last().children << Node{0, 3, heading, text.toUtf8(), text, false, {}};
        }
    }
    writeSource(w, name + ".txt",
                (w.chance(30) ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + whole.toUtf8());
    FileChooser::setImportTextChooser(
        [file = w.sources.path() + '/' + name + ".txt"](QWidget*) { return file; });
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
    const bool taken = w.model.namesIn(nullptr).contains(name);
    w.invoke("importTxt_slot");
    FileChooser::setImportTextChooser({});
    if (taken)
        return name + " (taken)";
    w.model.saveOpen(); // before the tree is rebuilt
    w.model.adopt(nullptr, book);
    w.model.editorEnabled = false;
    return name;
}

QString exportBook(W w)
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
        expectError(w, "不能打开文件!");
    return w.model.relPath(uid);
}

QString oneKeyTypesetting(W w)
{
    auto* button = w.window->findChild<QAbstractButton*>("one_key");
    if (!button)
        return w.fail("no one_key button"), QString();
    button->click();
    // Typesetting reads the editor's plain-text view: no-break spaces and line separators
    // are spaces and line feeds there.
    const QString plain = QString(w.model.editor).replace(kNbsp, ' ').replace(QChar(0x2028), '\n');
    w.model.editor = Typesetting::oneKey(plain, Typesetting::oneKeyOptions(*w.settings()));
    return QString();
}

QString replaceAll(W w)
{
    const int from = w.pick(w.model.editor.size());
    const QString selected = w.model.editor.mid(from, 1 + w.pick(3)).section('\n', 0, 0);
    if (selected.isEmpty())
        return "nothing selected";
    const QString replacement = oneOf(w, kTyped);
    const bool caseInsensitive = w.chance(50);
    w.setCursor(from, from + selected.size());
    w.invoke("str_replace_slot", Q_ARG(QString, replacement), Q_ARG(bool, true),
             Q_ARG(bool, caseInsensitive));
    w.model.editor.replace(selected, replacement, Qt::CaseSensitivity(!caseInsensitive));
    return QString("\"%1\" by \"%2\"").arg(selected, replacement);
}

QString vanish(W w)
{
    const int uid = pickUid(w, 3, false);
    if (!uid)
        return "nothing left to remove";
    QFile::remove(w.app.file("data/我的书籍/" + w.model.relFile(uid)));
    w.model.find(uid)->vanished = true;
    return w.model.relPath(uid);
}

// Sets fields of a window by object name and property as the author's input does, then
// clicks `button`; a missing field or button fails the step.
bool fillIn(W w, QObject* window,
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
    if (w.failure.isEmpty())
        click->click();
    return w.failure.isEmpty();
}

// 全书查找 + 全部替换 of a word (or a pattern with a group) from a chapter in scope: every
// chapter holding it is backed up, then rewritten, the open one in the editor only.
QString replaceAcross(W w)
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
        // A file is rewritten only when it can be read and its bytes decode cleanly.
        const Node& c = *m.find(uid);
        if (inEditor(uid) || (!c.vanished && (!c.text.contains(QChar::ReplacementCharacter) ||
                                              c.bytes.contains("\xEF\xBF\xBD"))))
            scope << uid;
    }
    const QString source = texts.isEmpty() ? "正文" : oneOf(w, texts);
    QString word = source.mid(w.pick(source.size()), 1 + w.pick(3)).section('\n', 0, 0);
    word = word.isEmpty() ? "正文" : word;
    const bool regex = w.chance(30);
    const bool caseSensitive = w.chance(50);
    QString replacement = oneOf(w, kTyped);
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
                                QRegularExpression::UseUnicodePropertiesOption |
                                    (caseSensitive ? QRegularExpression::NoPatternOption
                                                   : QRegularExpression::CaseInsensitiveOption));
    int chapters = 0, matches = 0;
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
    return QString("\"%1\" by \"%2\" (%3%4%5)")
        .arg(pattern, replacement, whole ? "library" : "book", caseSensitive ? "" : ", any case",
             confirmed ? "" : ", declined");
}

// Drags the boundary between the catalog and the editor, now and then beyond its limits.
QString dragCatalog(W w)
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
            w.fail(QString("the catalog is %1 wide after a drag").arg(column->width()));
    });
    return QString("to %1").arg(x);
}

// The daily goal on the settings dialog's 分章排版 tab; an emptied field keeps the goal.
QString setDailyGoal(W w)
{
    const QString goal = w.chance(50) ? oneOf(w, {"1", "2000", "4000", "100000", "0", ""})
                                      : QString::number(w.pick(9000));
    w.invokeOver("on_settings_clicked");
    if (!fillIn(w, w.window->findChild<QDialog*>("DialogSetting"),
                {{"tabWidget2", "currentIndex", 0}, {"daily_goal", "text", goal}}, "set_save"))
        return QString();
    w.settle();
    w.dailyGoal = goal.isEmpty() ? w.dailyGoal : goal.toInt();
    return goal;
}

// An orderly quit saves the writing log; after a crash what it had not saved may be gone.
QString restart(W w, bool orderly)
{
    w.endWindow(orderly);
    (orderly ? w.logSaved : w.logMayBeLost) = true;
    w.startWindow();
    return QString();
}

// Whether the library has an item of `kind` (0: any); below 0, always.
std::function<bool(const World&)> has(int kind)
{
    return [kind](const World& w) { return kind < 0 || !w.model.uids(kind).isEmpty(); };
}

bool editing(const World& w) { return w.model.openUid && w.model.editorEnabled; }

QString openItem(W w)
{
    const int uid = pickUid(w, 0);
    w.select(uid);
    emit treeOf(*w.window)->clicked(treeOf(*w.window)->currentIndex());
    w.model.open(uid);
    return w.model.relPath(uid);
}

} // namespace

const QVector<Operation>& operations()
{
    static const QVector<Operation> table = {
        {"open item", 12, has(0), openItem},
        {"type", 20, editing, typing},
        {"paste", 4, editing, paste},
        {"backspace", 8, [](const World& w) { return editing(w) && !w.model.editor.isEmpty(); },
         backspaces},
        {"Return", 6, editing, pressReturn},
        {"Ctrl+S", 4, editing, [](W w) { return saving(w, false); }},
        {"autosave tick", 6, has(-1), [](W w) { return saving(w, true); }},
        {"rename", 8, has(0), renameItem},
        {"new book", 2, has(-1), [](W w) { return newItem(w, 1); }},
        {"new volume", 2, has(1), [](W w) { return newItem(w, 2); }},
        {"new chapter", 5, has(2), [](W w) { return newItem(w, 3); }},
        {"move chapter", 4, has(3), moveChapter},
        {"delete chapter", 3, has(3), [](W w) { return deleteItem(w, 3); }},
        {"delete book", 2, has(1), [](W w) { return deleteItem(w, 1); }},
        {"import book", 2, has(-1), importBook},
        {"import a whole-book text file", 2, has(-1), importWholeBook},
        {"export book", 2, has(1), exportBook},
        {"one-key typesetting", 3, [](const World& w) { return w.model.openUid != 0; },
         oneKeyTypesetting},
        {"replace all", 3,
         [](const World& w) { return w.model.openUid && !w.model.editor.isEmpty(); }, replaceAll},
        {"replace across chapters", 3, has(3), replaceAcross},
        {"drag the catalog boundary", 1, has(-1), dragCatalog},
        {"set the daily goal", 1, has(-1), setDailyGoal},
        {"file removed outside", 2, has(3), vanish},
        {"quit and restart", 2, has(-1), [](W w) { return restart(w, true); }},
        {"abrupt end and restart", 1, has(-1), [](W w) { return restart(w, false); }},
    };
    return table;
}
