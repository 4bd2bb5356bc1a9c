#include "randomops/invariants.h"

#include "randomops/world.h"
#include "support/librarysupport.h"

#include "app/mainwindow.h"
#include "settings/config.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTextEdit>

#include <utility>

namespace {

const QString kLib = QStringLiteral("data/我的书籍");

QMap<QString, QByteArray> filesBelow(const QString& dir)
{
    QMap<QString, QByteArray> all;
    for (QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        all[path.mid(dir.size() + 1)] = readBytes(path);
    }
    return all;
}

QString show(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes.left(120)).replace('\n', "\\n");
}

QString compareFiles(const QString& where, const QMap<QString, QByteArray>& expected,
                     const QMap<QString, QByteArray>& found)
{
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!found.contains(it.key()))
            return QString("%1: %2 is missing").arg(where, it.key());
        if (found[it.key()] != it.value())
            return QString("%1: %2 holds \"%3\", expected \"%4\"")
                .arg(where, it.key(), show(found[it.key()]), show(it.value()));
    }
    for (const QString& name : found.keys()) {
        if (!expected.contains(name))
            return QString("%1: unexpected file %2 (\"%3\")").arg(where, name, show(found[name]));
    }
    return QString();
}

// The live rows as tree lines. (A renamed book or volume leaves its descendants' stored
// urls behind; nothing reads them, so only the names are compared.)
QStringList tableLines()
{
    QStringList lines;
    std::function<void(int, const QString&)> add = [&](int pid, const QString& indent) {
        QSqlQuery q(QSqlDatabase::database());
        q.prepare("select id , name from books where del = 0 and pid = ? order by sort , id");
        q.addBindValue(pid);
        q.exec();
        QVector<QPair<int, QString>> rows;
        while (q.next())
            rows.append({q.value(0).toInt(), q.value(1).toString()});
        for (const auto& [id, name] : rows) {
            lines << indent + name;
            add(id, indent + "  ");
        }
    };
    add(0, QString());
    return lines;
}

QString compareLines(const QString& what, const QStringList& expected, const QStringList& found)
{
    if (expected == found)
        return QString();
    return QString("%1 shows [%2], expected [%3]")
        .arg(what, found.join(" | "), expected.join(" | "));
}

// Takes from `entries` (of `dir`) one copy for each wanted one: a name matching its pattern
// and the files it must hold. The first one missing as a sentence.
QString takeCopies(const QString& dir, QStringList& entries,
                   const QVector<LibraryModel::BinEntry>& wanted, const QString& where)
{
    for (const LibraryModel::BinEntry& want : wanted) {
        const QRegularExpression re(want.pattern);
        const auto it = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
            const QString path = dir + '/' + e;
            return re.match(e).hasMatch() &&
                   (QFileInfo(path).isDir()
                        ? filesBelow(path)
                        : QMap<QString, QByteArray>{{QString(), readBytes(path)}}) == want.files;
        });
        if (it == entries.end())
            return QString("%1 has no copy matching %2 with %3 (\"%4\")")
                .arg(where, want.pattern, want.files.keys().join(", "), show(want.files.first()));
        entries.erase(it);
    }
    return QString();
}

QString checkBin(World& world)
{
    const QString binDir = world.app.file("data/回收站");
    QStringList entries = QDir(binDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    if (QString why = takeCopies(binDir, entries, world.model.bin, "the recycle bin");
        !why.isEmpty())
        return why;
    return entries.isEmpty() ? QString() : "unexpected in the recycle bin: " + entries.join(", ");
}

QString checkOutside(World& world)
{
    const QStringList allowedTop = {"config.ini", "sys.db", "sys.db-journal", "data",
                                    "bak",        "key",    "sound",          "lock.active"};
    for (const QString& e :
         QDir(world.app.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (!allowedTop.contains(e))
            return "unexpected entry in the application directory: " + e;
    }
    const QStringList data =
        QDir(world.app.file("data")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    if (data != QStringList({"回收站", "我的书籍"}))
        return "the data directory holds " + data.join(", ");
    if (QString why =
            compareFiles("import sources", world.sourceFiles, filesBelow(world.sources.path()));
        !why.isEmpty())
        return why;
    return compareFiles("export place", world.expectedExports, filesBelow(world.exports.path()));
}

// The backups the step had to write, then at most the autosave's one.
QString checkBackups(World& world)
{
    const QString bak = world.app.file("bak");
    QStringList fresh;
    for (const QString& name : QDir(bak).entryList(QDir::Files)) {
        if (!world.seenBackups.contains(name))
            fresh << name;
        world.seenBackups.insert(name);
    }
    if (QString why = takeCopies(bak, fresh, std::exchange(world.newBackups, {}), "bak");
        !why.isEmpty())
        return why;
    const QString text = std::exchange(world.backupText, QString());
    const bool required = std::exchange(world.backupRequired, false);
    if (fresh.size() < (required ? 1 : 0) || fresh.size() > (text.isNull() ? 0 : 1))
        return QString("%1 backups appeared").arg(fresh.size());
    if (fresh.size() == 1 && readBytes(bak + '/' + fresh.first()) != text.toUtf8())
        return QString("the new backup %1 holds \"%2\", the editor \"%3\"")
            .arg(fresh.first(), show(readBytes(bak + '/' + fresh.first())), show(text.toUtf8()));
    return QString();
}

using Tally = QMap<QString, QPoint>;

QString figures(const Tally& byBook)
{
    QStringList all;
    for (auto it = byBook.cbegin(); it != byBook.cend(); ++it)
        all << QString("%1 +%2 -%3").arg(it.key()).arg(it->x()).arg(it->y());
    return "[" + all.join(", ") + "]";
}

// The writing log in sys.db holds what the author's keys did, once saved; the goal label
// adds what is pending. A save keeps it all, or (when the step saved nothing) none of it.
QString checkWriting(World& world)
{
    Tally stored;
    QSqlQuery q("select book , added , removed from writing_log", QSqlDatabase::database());
    while (q.next())
        stored[q.value(0).toString()] += QPoint(q.value(1).toInt(), q.value(2).toInt());
    auto& [saved, pending] = world.written;
    const auto all = [&] {
        Tally sum = saved;
        for (auto it = pending.cbegin(); it != pending.cend(); ++it)
            sum[it.key()] += it.value();
        return sum;
    };
    const bool mustHaveSaved = std::exchange(world.logSaved, false);
    if (std::exchange(world.logMayBeLost, false) && stored == saved)
        pending.clear();
    if (stored == all()) {
        saved = stored;
        pending.clear();
    } else if (stored != saved || mustHaveSaved) {
        return QString("writing_log holds %1, expected %2 and %3 since the last save")
            .arg(figures(stored), figures(saved), figures(pending));
    }
    // The label counts today only: past midnight the run's earlier writing drops out of it.
    int net = 0;
    for (const QPoint& f : all())
        net += f.x() - f.y();
    const QString goal = QString("今日:%1/%2").arg(net).arg(world.dailyGoal);
    QStringList labels;
    for (const QLabel* l :
         world.window->findChild<QStatusBar*>("statusBar")->findChildren<QLabel*>())
        labels << l->text();
    if (!labels.contains(goal) && QDate::currentDate() == world.started)
        return QString("the status bar shows [%1], not \"%2\"").arg(labels.join(" | "), goal);
    if (const int kept = world.settings()->value(Config::DailyGoal, 4000).toInt();
        kept != world.dailyGoal)
        return QString("config.ini keeps the daily goal %1, not %2").arg(kept).arg(world.dailyGoal);
    return QString();
}

// A cached count whose size and time still match its file is that file's count.
QString checkCountCache(World& world)
{
    QHash<QString, QString> texts;
    for (int uid : world.model.uids(3))
        texts[world.app.file(kLib) + '/' + world.model.relFile(uid)] = world.model.find(uid)->text;
    QSqlQuery q("select path , size , mtime , count from chapter_counts", QSqlDatabase::database());
    while (q.next()) {
        const QFileInfo file(q.value(0).toString());
        if (!texts.contains(file.filePath()) || file.size() != q.value(1).toLongLong() ||
            file.lastModified().toMSecsSinceEpoch() != q.value(2).toLongLong())
            continue;
        if (const int count = readingCount(texts[file.filePath()]); q.value(3).toInt() != count)
            return QString("the count cache holds %1 for %2 of %3 characters")
                .arg(q.value(3).toInt())
                .arg(file.filePath())
                .arg(count);
    }
    return QString();
}

// Boxes match in order; an expected kind of -1 stands for a box of any kind whose text
// names every "|"-separated word.
bool sameMessages(const QList<QPair<int, QString>>& shown,
                  const QList<QPair<int, QString>>& expected)
{
    if (shown.size() != expected.size())
        return false;
    for (int i = 0; i < shown.size(); ++i) {
        if (expected[i].first != -1) {
            if (shown[i] != expected[i])
                return false;
            continue;
        }
        for (const QString& word : expected[i].second.split('|')) {
            if (!shown[i].second.contains(word))
                return false;
        }
    }
    return true;
}

// The status bar counts the open text as its plain-text view shows it: every character but
// line feeds and spaces, no-break spaces being spaces there.
QString checkCount(World& world)
{
    const LibraryModel& m = world.model;
    if (!m.openUid || !m.editorEnabled)
        return QString();
    const int count = readingCount(m.editor);
    const auto labels = world.window->findChild<QStatusBar*>("statusBar")
                            ->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    const QString shown = labels.size() >= 3 ? labels[2]->text() : QString();
    if (!shown.startsWith(QString("总字数:%1\t").arg(count)))
        return QString("the status bar shows \"%1\" for %2 characters").arg(shown).arg(count);
    return QString();
}

} // namespace

QString checkInvariants(World& world)
{
    if (!world.failure.isEmpty())
        return world.failure;
    LibraryModel& m = world.model;
    if (QString why = compareFiles("library", m.files(), filesBelow(world.app.file(kLib)));
        !why.isEmpty())
        return why;
    if (!world.window)
        return QString();
    if (QString why = compareLines("the tree", m.treeLines(), treeLines(*world.window));
        !why.isEmpty())
        return why;
    if (QString why = compareLines("sys.db", m.treeLines(), tableLines()); !why.isEmpty())
        return why;
    if (m.openUid && world.editorText() != m.editor)
        return QString("the editor shows \"%1\", expected \"%2\" of %3")
            .arg(show(world.editorText().toUtf8()), show(m.editor.toUtf8()), m.relFile(m.openUid));
    if (QString why = checkCount(world); !why.isEmpty())
        return why;
    if (m.openUid && m.editorEnabled != editorOf(*world.window)->isEnabled())
        return QString("the editor is %1").arg(m.editorEnabled ? "disabled" : "enabled");
    const auto boxes = [](const QList<QPair<int, QString>>& all) {
        QStringList lines;
        for (const auto& [kind, text] : all)
            lines << QString("%1:%2").arg(kind).arg(text);
        return lines.join(", ");
    };
    if (!sameMessages(world.app.messages, world.expectedMessages))
        return QString("boxes shown [%1], expected [%2]")
            .arg(boxes(world.app.messages), boxes(world.expectedMessages));
    world.app.messages.clear();
    world.expectedMessages.clear();
    for (const auto check : {checkBin, checkBackups, checkWriting, checkCountCache, checkOutside}) {
        if (QString why = check(world); !why.isEmpty())
            return why;
    }
    return QString();
}
